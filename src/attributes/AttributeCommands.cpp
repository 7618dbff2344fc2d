// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "attributes/AttributeCommands.h"

#include <exception>

#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "engine/FileOperation.h"
#include "platform/Messages.h"

namespace {

QString notProcessedText(long long count) {
    return QString::number(count) + QStringLiteral("個のファイルは処理できませんでした。");
}

void changeDataList(ListRows& dataList, bool setAttrib, bool hidden, TFileOperation& engine) {
    // The focus mark moves to the first row; the selection stays.
    if (dataList.count() > 0 && dataList.currentRow() < 0) dataList.setCurrentRow(0);
    ChangeAttributesOfList(dataList.paths().rows(), setAttrib, hidden, true, engine);
}

}  // namespace

void RemoveReadOnlyAttribsExecute(ListRows& dataList, TFileOperation& engine) {
    changeDataList(dataList, false, false, engine);
}

void SetReadOnlyAttribsExecute(ListRows& dataList, TFileOperation& engine) {
    changeDataList(dataList, true, false, engine);
}

void RemoveHiddenAttribsExecute(ListRows& dataList, TFileOperation& engine) {
    changeDataList(dataList, false, true, engine);
}

void SetHiddenAttribsExecute(ListRows& dataList, TFileOperation& engine) {
    changeDataList(dataList, true, true, engine);
}

int ChangeAttributesOfList(const std::vector<std::string>& rows, bool setAttrib, bool hidden,
                           bool showMessages, TFileOperation& engine) {
    if (rows.empty()) {
        if (showMessages) notice(QStringLiteral("データがありませんよ!"));
        return 0;
    }
    try {
        int missing = 0;
        const int count = setAttrib ? engine.SetAttribute(rows, hidden, missing)
                                    : engine.ClearAttribute(rows, hidden, missing);
        if (count > 0) notice(notProcessedText(count));
        else if (showMessages) notice(QStringLiteral("終了しました。"));
        return count;
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("ChangeAttributesOfList"));
    }
    notice(notProcessedText(long(rows.size())));
    return int(rows.size());
}
