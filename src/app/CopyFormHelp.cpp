// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CopyForm.h"

#include <QFrame>
#include <QPushButton>

#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "filters/FilterCheckListView.h"

#include "platform/HelpKey.h"

// The page of the help that F1 opens for each part of the window.
void TCopyForm::tagHelpPages() {
    setHelpPage(this, QStringLiteral("window.html"));
    const std::pair<QWidget*, const char*> pages[] = {
        {DirectoryPanel, "collect.html"},
        {FileNameListBox, "collect.html"},
        {GetFileListTranslateButton, "collect.html"},
        {SearchingButton, "search.html"},
        {DataListBox, "editlist.html"},
        {DriveComboBox2, "folder.html"},
        {DirectoryListBox2, "folder.html"},
        {FileListBox2, "folder.html"},
        {OperationPanel, "bulk.html"},
        {MakeFolderButton, "folder.html"},
        {DelFolderButton, "folder.html"},
        {ClassKeepingFileCopyButton, "hierarchy.html"},
        {ClassKeepingFileMoveButton, "hierarchy.html"},
        {FilterCheckListBox, "filter.html"},
    };
    for (const auto& [widget, page] : pages) setHelpPage(widget, QString::fromLatin1(page));
}
