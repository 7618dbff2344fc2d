// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "datalist/DataListEditing.h"

#include <algorithm>

#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "platform/Messages.h"
#include "util/Collation.h"

namespace {

bool equalIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(static_cast<unsigned char>(a[i])) != upper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The current row again after the rows were edited, the last one if the
// list became shorter than that.
void keepCurrentNumber(ListRows& list, int current) {
    if (current >= list.count()) list.setCurrentRow(list.count() - 1);
}

}  // namespace

int RemoveCaseDuplicates(std::vector<std::string>& rows) {
    if (rows.empty()) return 0;
    std::size_t kept = 1;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        // Within a run all rows are equal, so the last row kept stands for
        // the row above.
        if (equalIgnoringAsciiCase(rows[i], rows[kept - 1])) continue;
        if (kept != i) rows[kept] = std::move(rows[i]);
        ++kept;
    }
    const int removed = int(rows.size() - kept);
    rows.resize(kept);
    return removed;
}

void DataDeleteExecute(ListRows& dataList) {
    if (dataList.count() == 0) return;
    const std::vector<int> selected = dataList.selectedRows();
    if (selected.empty()) {
        notice(QStringLiteral("選択されている行が見つかりませんでした。"));
        return;
    }
    if (!askYesNo(QStringLiteral("選択されている行をリストから削除します。"))) return;

    PaintingHeld suspended(dataList);
    const int first = selected.front();
    const int remaining = dataList.count() - int(selected.size());
    const int row = std::min(first, remaining - 1);
    dataList.editRows(
        [&selected](std::vector<std::string>& rows) {
            std::size_t kept = 0, next = 0;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (next < selected.size() && std::size_t(selected[next]) == i) {
                    ++next;
                    continue;
                }
                if (kept != i) rows[kept] = std::move(rows[i]);
                ++kept;
            }
            rows.resize(kept);
        },
        row);
    dataList.selectRow(row);
}

void FileListTranslateExecute(const PathListModel& foundFiles, ListRows& dataList) {
    if (foundFiles.empty()) {
        notice(QStringLiteral("ファイルデータがありませんよ。"));
        return;
    }
    dataList.replaceRows(foundFiles.rows(), 0);
    dataList.showTop();
}

void SortDataListExecute(ListRows& dataList) {
    PaintingHeld suspended(dataList);
    dataList.editRows(sortCaseInsensitive, dataList.currentRow());
}

void DeleteSameDataExecute(ListRows& dataList) {
    if (dataList.count() == 0) {
        notice(QStringLiteral("データがありませんよ!"));
        return;
    }
    int removed = 0;
    try {
        PaintingHeld suspended(dataList);
        const int current = dataList.currentRow();
        dataList.editRows(
            [&removed](std::vector<std::string>& rows) {
                sortCaseInsensitive(rows);
                removed = RemoveCaseDuplicates(rows);
            },
            current);
        keepCurrentNumber(dataList, current);
    } catch (...) {
        notice(QStringLiteral("CheckSameData1Click Error"));
        return;
    }
    if (removed > 0)
        notice(QString::number(removed) + QStringLiteral("個のデータが重複していました。"));
    else
        notice(QStringLiteral("重複データはありませんでした。"));
}

void SelectAllDataListExecute(ListRows& dataList) {
    if (dataList.count() == 0) return;
    PaintingHeld suspended(dataList);
    const int noted = std::max(dataList.currentRow(), 0);
    dataList.selectAllRows();
    dataList.showRow(noted);
}

void ClearDataListExecute(ListRows& dataList) { dataList.paths().clear(); }
