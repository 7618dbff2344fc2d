// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "datalist/ListClipboard.h"

#include <QAction>

#include "controls/FolderRows.h"
#include "controls/PathListModel.h"
#include "datalist/ClipboardPaste.h"
#include "datalist/ListText.h"
#include "platform/ClipboardText.h"

namespace {

void copyList(const std::vector<std::string>& rows) { SetClipboardText(ListTextForClipboard(rows)); }

}  // namespace

void EditClickExecute(QAction& paste) { paste.setEnabled(ClipboardHasText()); }

void ClipBoardCopyDataListExecute(const PathListModel& dataList) {
    if (!dataList.empty()) copyList(dataList.rows());
}

void ClipBoardCopyLeftExecute(const PathListModel& foundFiles) {
    if (!foundFiles.empty()) copyList(foundFiles.rows());
}

void ClipBoardCopyRightExecute(const FolderRows& rightFiles, std::vector<std::string>& scratch) {
    if (rightFiles.count() == 0) return;
    struct Emptied {
        std::vector<std::string>& list;
        ~Emptied() { list.clear(); }
    } emptied{scratch};
    if (FileListToList(rightFiles, scratch)) copyList(scratch);
}

void ClipBoardPasteExecute(ListRows& dataList) { ClipboardPaste::start(dataList); }
