// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings the window shows: applied once at creation, collected once at
// close.
#include <algorithm>

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include "app/CopyForm.h"
#include "app/SettingsWindow.h"
#include "controls/DirectoryListBox.h"
#include "controls/FolderFiles.h"
#include "engine/IFileSystem.h"
#include "filters/FilterList.h"
#include "panes/SelectedFolders.h"
#include "platform/IScreen.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

namespace {

std::vector<QRect> screenAreas() {
    std::vector<QRect> areas{QRect(QPoint(0, 0), platform().screen->size())};
    for (const QScreen* screen : QGuiApplication::screens()) areas.push_back(screen->geometry());
    return areas;
}

int withinLimits(int width, const QWidget* panel) {
    return std::clamp(width, panel->minimumWidth(), panel->maximumWidth());
}

}  // namespace

void TCopyForm::applySettings(const Settings& s) {
    StartMaximized = s.maximized || fillsScreen(s.width, s.height, platform().screen->size());
    if (!StartMaximized) {
        resize(s.width, s.height);
        // A window that no screen shows could not be reached at all.
        const bool lost = isOffEveryScreen(QRect(s.left, s.top, width(), height()), screenAreas());
        move(lost ? 0 : s.left, lost ? 0 : s.top);
    }
    const int select = withinLimits(s.selectPanel, DataSelectPanel);
    const int right = withinLimits(s.rightPanel, RightPanel);
    const int handles = 2 * MainSplitter->handleWidth();
    MainSplitter->setSizes(
        {select, std::max(SendToPanel->minimumWidth(), width() - select - right - handles), right});

    Filters->setChecked(0, s.anyFilter);
    try {
        FileListBox1->setMask(s.anyFilter ? "*.*" : s.checkFilter);
    } catch (...) {
    }
    Filters->setEntries(RebuildFilterList(Filters->entries(), s.allFilter, s.checkFilter));
    TxtFilter = s.txtFilter;
    DataFileExtensions = DeriveDataFileExtensions(TxtFilter);
    FileSearchFindHiddenFile = s.fileSearchFindHiddenFile;
    FileEraseEnabled = s.fileEraseEnabled;
    if (FileEraseEnabled) action("FileErase")->setEnabled(true);
    // A folder that is gone leaves its tree where it is.
    DirectoryListBox1->setDirectory(s.dataFolder);
    DirectoryListBox2->setDirectory(s.sendToFolder);
    SetSelectedFoldersFromText(s.selectedFolders);
    FileOperationOptions = OperationOptions::fromBits(s.fileOperationOptions);
}

namespace {
bool isFolder(const std::string& path) { return platform().fileSystem->directoryExists(path); }
}  // namespace

void TCopyForm::SetSelectedFoldersFromText(const std::string& text) {
    const SelectedFoldersFromText selected = ::SetSelectedFoldersFromText(text, isFolder);
    if (!selected.changed) return;
    SelectedFolderPaths = selected.folders;
    const bool built = rebuildSelectedFolderMenus();
    if (selected.dropped || !built) notice(QStringLiteral("Set_SelectedFolder Error(B1)"));
}

void TCopyForm::ApplySelectedFolders(const std::vector<std::string>& paths) {
    const KeptFolders kept = keepFolders(paths, isFolder);
    SelectedFolderPaths = kept.folders;
    const bool built = rebuildSelectedFolderMenus();
    if (kept.failed || !built) notice(QStringLiteral("Set_SelectedFolder Error(A1)"));
    if (SelectedFolderPaths.size() < paths.size()) notice(QStringLiteral("Set_SelectedFolder Error(A2)"));
}

Settings TCopyForm::collectSettings() const {
    Settings s;
    s.maximized = isMaximized();
    s.left = x();
    s.top = y();
    s.width = width();
    s.height = height();
    s.selectPanel = DataSelectPanel->width();
    s.rightPanel = RightPanel->width();
    const std::vector<FilterEntry>& filters = Filters->entries();
    s.anyFilter = !filters.empty() && filters.front().checked;
    s.checkFilter = checkFilterText(filters, FileListBox1->mask());
    s.allFilter = allFilterText(filters);
    s.txtFilter = TxtFilter;
    s.dataFolder = leftFolder();
    s.sendToFolder = destinationFolder();
    s.selectedFolders = selectedFolderText(SelectedFolderPaths);
    s.fileSearchFindHiddenFile = FileSearchFindHiddenFile;
    s.fileEraseEnabled = FileEraseEnabled;
    s.fileOperationOptions = FileOperationOptions.bits();
    return s;
}
