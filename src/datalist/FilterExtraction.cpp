// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "datalist/FilterExtraction.h"

#include <algorithm>

#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "filters/FilterList.h"
#include "platform/Messages.h"
#include "filters/MaskExtensions.h"
#include "util/PathText.h"
#include "util/Termination.h"

namespace {

// Puts the caption back when the command ends.
class CaptionKeeper {
public:
    explicit CaptionKeeper(const ProgressCaption& caption) : caption_(caption), text_(caption.text()) {}
    ~CaptionKeeper() { caption_.setText(text_); }
    CaptionKeeper(const CaptionKeeper&) = delete;
    CaptionKeeper& operator=(const CaptionKeeper&) = delete;

private:
    const ProgressCaption& caption_;
    QString text_;
};

}  // namespace

std::string CheckedFiltersText(const FilterList& filters) {
    std::string text;
    for (int row = 1; row < filters.count(); ++row) {
        if (!filters.at(row).checked) continue;
        if (!text.empty()) text += ';';
        text += filters.at(row).text;
    }
    return text;
}

void DoFilterDataListExecute(ListRows& dataList, const FilterList& filters,
                             const ProgressCaption& caption) {
    if (dataList.count() == 0) {
        notice(QStringLiteral("抽出するデータがありません。"));
        return;
    }
    int remaining = 0;
    {
        CaptionKeeper kept(caption);
        PaintingHeld suspended(dataList);
        const std::string checked = CheckedFiltersText(filters);
        if (checked.empty()) {
            notice(QStringLiteral("''*,*''以外のフィルタが設定されていません。"));
            return;
        }
        const MaskExtensions pattern(checked);
        const std::vector<std::string>& rows = dataList.paths().rows();
        std::vector<char> keep(rows.size());
        for (std::size_t i = rows.size(); i-- > 0;) {
            if (i % 100 == 0) {
                if (terminationRequested()) return;  // the list stays as it was
                caption.setText(QStringLiteral("抽出中: ") + QString::number(i));
            }
            keep[i] = pattern.matches(fileNamePart(rows[i]));
        }
        const int current = dataList.currentRow();
        dataList.editRows(
            [&keep](std::vector<std::string>& list) {
                std::size_t kept = 0;
                for (std::size_t i = 0; i < list.size(); ++i) {
                    if (!keep[i]) continue;
                    if (kept != i) list[kept] = std::move(list[i]);
                    ++kept;
                }
                list.resize(kept);
            },
            current);
        if (current >= dataList.count()) dataList.setCurrentRow(dataList.count() - 1);
        remaining = dataList.count();
    }
    if (remaining > 0)
        notice(QString::number(remaining) + QStringLiteral("個のファイルを抽出しました。"));
}
