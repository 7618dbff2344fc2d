// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SettingCommand.h"

#include <QAction>
#include <QCheckBox>

#include "filters/FilterList.h"
#include "platform/DialogOwner.h"
#include "platform/Messages.h"
#include "settings/SettingForm.h"
#include "settings/Settings.h"

std::function<int(TSettingForm&)>& settingFormShow() {
    static std::function<int(TSettingForm&)> show = [](TSettingForm& form) { return form.exec(); };
    return show;
}

void BaseSettingExecute(const SettingContext& c) {
    try {
        TSettingForm form(dialogOwner());
        form.setOptions(c.fileOperationOptions.bits());
        for (const std::string& path : c.selectedFolderPaths) form.appendFolder(path);
        form.setCategoryFilters(c.filters.entries(), c.txtFilter);
        form.FindHiddenFileCheckBox->setChecked(c.fileSearchFindHiddenFile);
        form.SetFileEraseEnabledCheckBox->setChecked(c.fileEraseEnabled);
        if (settingFormShow()(form) != QDialog::Accepted) return;

        c.fileOperationOptions = OperationOptions::fromBits(form.optionMask());
        c.applySelectedFolders(form.SelectedFolderPathListBox);
        if (form.CategoryFilters->count() > 0) {
            c.txtFilter = form.dataFileFilter();
            c.dataFileExtensions = DeriveDataFileExtensions(c.txtFilter);
        }
        c.fileSearchFindHiddenFile = form.FindHiddenFileCheckBox->isChecked();
        c.fileEraseEnabled = form.SetFileEraseEnabledCheckBox->isChecked();
        c.fileErase.setEnabled(c.fileEraseEnabled);
    } catch (...) {
        notice(QStringLiteral("設定フォームを表示できませんでした"));
    }
}
