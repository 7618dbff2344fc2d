// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filters/FilterCommands.h"

#include "controls/ListRows.h"

#include "controls/FolderFiles.h"
#include "filters/FilterList.h"
#include "filters/FilterSyntax.h"
#include "platform/InputDialogs.h"
#include "platform/Messages.h"
#include "util/DisplayText.h"
#include "util/PathText.h"

namespace {

const char* const kAnyFilter = "*.*";
const char* const kTxtFilter = "*.txt";
const QString kSelectFromThird = QStringLiteral("上から3番目以下のフィルタを選択してください。");

int currentRow(const FilterContext& c) {
    return c.view.currentRow();
}

// The row of a user filter that edit and delete act on, or -1 after telling
// why there is none.
int userFilterRow(const FilterContext& c, const QString& noRow, const QString& builtIn) {
    const int row = currentRow(c);
    if (row >= 2) return row;
    if (row < 0) notice(noRow);
    else if (c.filters.count() <= 2) notice(builtIn);
    else notice(kSelectFromThird);
    return -1;
}

}  // namespace

void FilterCheckListBoxClick(const FilterContext& c, FilterClickSender sender) {
    FilterList& filters = c.filters;
    if (filters.count() < 2) {
        filters.setEntries({{kAnyFilter, true}, {kTxtFilter, false}});
        // The marks say "*.*"; so does the mask.
        c.files.setMask(kAnyFilter);
        return;
    }
    const std::string mask = checkedMask(filters.entries());
    if (!mask.empty()) {
        c.files.setMask(mask);
        return;
    }
    if (sender == FilterClickSender::List) notice(QStringLiteral("１つ以上選択してください"));
    int row = currentRow(c);
    if (row < 0 || row >= filters.count()) {
        row = 0;
        c.view.setCurrentRow(row);
    }
    filters.setChecked(row, true);
}

void FilterCheckListBoxClickAt(const FilterContext& c, int row) {
    if (row >= 0 && row < c.filters.count()) c.filters.setChecked(row, !c.filters.at(row).checked);
    FilterCheckListBoxClick(c, FilterClickSender::List);
}

void FilterPushExecute(const FilterContext& c, int index) {
    FilterList& filters = c.filters;
    const bool adding = index == 0;
    if (index < 0 || index == 1 || index >= filters.count()) return;
    const QString caption = adding ? QStringLiteral("フィルタの追加") : QStringLiteral("フィルタの編集");
    const QString defaultText = adding ? QStringLiteral("*.") : displayPath(filters.at(index).text);
    QString answer;
    try {
        answer = AskText(QStringLiteral("例1)*.txt     例2)*.txt;*.m3u"), caption, defaultText, true);
    } catch (...) {
        notice(QStringLiteral("FilterPushExecute Error"));
        return;
    }
    if (answer.toUcs4().size() <= 2) return;  // characters, not bytes
    std::string text = asciiLower(answer.toUtf8().toStdString());
    if (!ValidateFilter(text)) {
        notice(displayPath(text) + QStringLiteral(" はフィルタとして不適切です。"));
        return;
    }
    for (int row = 0; row < filters.count(); ++row) {
        if (filters.at(row).text != text) continue;
        if (adding)
            notice(displayPath(text) + QStringLiteral(" は既に登録されています。\r\n(Index = %1)")
                                           .arg(row + 1));
        return;
    }
    if (adding) filters.append(text);
    else filters.replace(index, text);
}

void FilterAddExecute(const FilterContext& c) { FilterPushExecute(c, 0); }

void FilterEditExecute(const FilterContext& c) {
    const int row = userFilterRow(c, QStringLiteral("編集するフィルタが選択されていません。"),
                                  QStringLiteral("デフォルトのフィルタは編集できません。"));
    if (row >= 0) FilterPushExecute(c, row);
}

void FilterDeleteExecute(const FilterContext& c) {
    const int row = userFilterRow(c, QStringLiteral("削除するフィルタが選択されていません。"),
                                  QStringLiteral("デフォルトのフィルタは削除できません。"));
    if (row >= 0 && askYesNo(QStringLiteral("選択されているフィルタを削除します。")))
        c.filters.remove(row);
}

void FilterReverseExecute(const FilterContext& c) {
    FilterList& filters = c.filters;
    if (filters.count() < 2) return;
    bool anyChecked = false;
    for (int row = 1; row < filters.count(); ++row) {
        filters.setChecked(row, !filters.at(row).checked);
        anyChecked = anyChecked || filters.at(row).checked;
    }
    if (!anyChecked) filters.setChecked(0, true);
    FilterCheckListBoxClick(c, FilterClickSender::Command);
}

void FilterClearExecute(const FilterContext& c) {
    c.filters.setEntries({{kAnyFilter, false}, {kTxtFilter, true}});
    FilterCheckListBoxClick(c, FilterClickSender::Command);
}
