// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The folder page of the settings dialog.
#include <algorithm>
#include <optional>
#include <utility>

#include <QListWidget>

#include "panes/SelectedFolders.h"
#include "platform/IUserDialogs.h"
#include "platform/ISettingsLocation.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "engine/IFileSystem.h"
#include "settings/DefaultFolders.h"
#include "settings/SettingForm.h"
#include "util/DisplayText.h"

void TSettingForm::appendFolder(const std::string& path) {
    SelectedFolderPathListBox.push_back(path);
    SelectedFolderNameListBox->addItem(selectedFolderName(path));
}

void TSettingForm::AddSelectedFolder(const std::string& path, bool silent) {
    const auto& paths = SelectedFolderPathListBox;
    if (std::find(paths.begin(), paths.end(), path) != paths.end()) {
        if (!silent) notice(QStringLiteral("既に登録されています。"));
        return;
    }
    appendFolder(path);
}

void TSettingForm::AddFolderButtonClick() {
    const int row = SelectedFolderNameListBox->currentRow();
    const std::string start = row >= 0 ? SelectedFolderPathListBox[std::size_t(row)] : std::string();
    std::optional<std::string> chosen;
    try {
        chosen = platform().dialogs->chooseFolder(QStringLiteral("フォルダの選択"), start);
    } catch (...) {
        notice(QStringLiteral("ダイアログを表示できませんでした。"));
        return;
    }
    if (chosen) AddSelectedFolder(*chosen, false);
}

void TSettingForm::DeleteFolderButtonClick() {
    QListWidget* names = SelectedFolderNameListBox;
    const int row = names->currentRow();
    if (row >= 0) {
        SelectedFolderPathListBox.erase(SelectedFolderPathListBox.begin() + row);
        delete names->takeItem(row);
    }
    if (row > 0) names->setCurrentRow(row - 1);
    else if (names->count() > 0) names->setCurrentRow(0);
    SelectedFolderNameListBoxClick();
}

void TSettingForm::exchangeFolders(int a, int b) {
    std::swap(SelectedFolderPathListBox[std::size_t(a)], SelectedFolderPathListBox[std::size_t(b)]);
    QListWidgetItem* itemA = SelectedFolderNameListBox->item(a);
    QListWidgetItem* itemB = SelectedFolderNameListBox->item(b);
    const QString text = itemA->text();
    itemA->setText(itemB->text());
    itemB->setText(text);
    SelectedFolderNameListBox->setCurrentRow(b);
}

void TSettingForm::ListUpButtonClick() {
    const int row = SelectedFolderNameListBox->currentRow();
    if (row > 0) exchangeFolders(row, row - 1);
}

void TSettingForm::ListDownButtonClick() {
    const int row = SelectedFolderNameListBox->currentRow();
    if (row >= 0 && row < SelectedFolderNameListBox->count() - 1) exchangeFolders(row, row + 1);
}

void TSettingForm::SelectedFolderNameListBoxClick() {
    const int row = SelectedFolderNameListBox->currentRow();
    const bool listed = row >= 0 && std::size_t(row) < SelectedFolderPathListBox.size();
    SelectedFolderNameListBox->setToolTip(
        listed ? displayPath(SelectedFolderPathListBox[std::size_t(row)]) : QString());
}

void TSettingForm::DefaultFolderButtonClick() {
    const UserFolders user = userFolders();
    IFileSystem& files = *platform().fileSystem;
    if (user.home.empty() || !files.directoryExists(user.home)) {
        notice(QStringLiteral("フォルダ検出に失敗しました。"));
        return;
    }
    for (const std::string& folder :
         DefaultFolderCandidates(user, platform().settingsLocation->executableFolder()))
        if (files.directoryExists(folder)) AddSelectedFolder(folder, true);
}
