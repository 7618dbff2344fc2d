// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "attributes/AttributeCommands.h"

#include <exception>

#include "controls/PathListBox.h"
#include "engine/FileOperation.h"
#include "platform/Messages.h"

namespace {

QString notProcessedText(long long count) {
    return QString::number(count) + QStringLiteral("個のファイルは処理できませんでした。");
}

void changeDataList(PathListBox& dataList, bool SetAttrib, bool Hidden, TFileOperation& engine) {
    // The focus mark moves to the first row; the selection stays.
    if (dataList.count() > 0 && dataList.currentRow() < 0) dataList.setCurrentRow(0);
    ChangeAttributesOfList(dataList.list()->rows(), SetAttrib, Hidden, true, engine);
}

}  // namespace

void RemoveReadOnlyAttribsExecute(PathListBox& dataList, TFileOperation& engine) {
    changeDataList(dataList, false, false, engine);
}

void SetReadOnlyAttribsExecute(PathListBox& dataList, TFileOperation& engine) {
    changeDataList(dataList, true, false, engine);
}

void RemoveHiddenAttribsExecute(PathListBox& dataList, TFileOperation& engine) {
    changeDataList(dataList, false, true, engine);
}

void SetHiddenAttribsExecute(PathListBox& dataList, TFileOperation& engine) {
    changeDataList(dataList, true, true, engine);
}

int ChangeAttributesOfList(const std::vector<std::string>& rows, bool SetAttrib, bool Hidden,
                           bool ShowMessages, TFileOperation& engine) {
    if (rows.empty()) {
        if (ShowMessages) notice(QStringLiteral("データがありませんよ!"));
        return 0;
    }
    try {
        int missing = 0;
        const int count = SetAttrib ? engine.SetAttribute(rows, Hidden, missing)
                                    : engine.ClearAttribute(rows, Hidden, missing);
        if (count > 0) notice(notProcessedText(count));
        else if (ShowMessages) notice(QStringLiteral("終了しました。"));
        return count;
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("ChangeAttributesOfList"));
    }
    notice(notProcessedText(long(rows.size())));
    return int(rows.size());
}
