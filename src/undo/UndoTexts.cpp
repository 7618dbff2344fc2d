// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "undo/UndoTexts.h"

#include <QDateTime>

#include "util/DisplayText.h"

namespace {

// The report names at most this many items.
constexpr std::size_t kListed = 30;

}  // namespace

QString entryTitle(const UndoEntryInfo& info) {
    const QString when =
        QDateTime::fromSecsSinceEpoch(info.time).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    return QStringLiteral("「%1」(%2)").arg(QString::fromStdString(info.command), when);
}

QString undoQuestion(const UndoEntryInfo& info, bool undo) {
    return (undo ? QStringLiteral("次の操作を元に戻します。") : QStringLiteral("次の操作をやり直します。")) +
           QStringLiteral("\r\n\r\n") + entryTitle(info) + QStringLiteral("\r\n") +
           QString::number(qulonglong(info.items)) + QStringLiteral("個の項目\r\n\r\nよろしいですか?");
}

QString undoReport(const UndoResult& result, bool undo) {
    if (result.refused.empty() && !result.cancelled) return {};
    QString text;
    if (result.cancelled) text = QStringLiteral("途中で中止しました。\r\n");
    if (!result.refused.empty()) {
        text += QString::number(qulonglong(result.refused.size())) +
                (undo ? QStringLiteral("個の項目は元に戻せませんでした。")
                      : QStringLiteral("個の項目はやり直せませんでした。")) +
                QStringLiteral("\r\nそのままにしてあります。\r\n");
        for (std::size_t i = 0; i < result.refused.size() && i < kListed; ++i)
            text += QStringLiteral("\r\n") + displayPath(result.refused[i].path) + QStringLiteral("\r\n    ") +
                    QString::fromStdString(result.refused[i].reason);
        if (result.refused.size() > kListed)
            text += QStringLiteral("\r\n\r\nほか%1個").arg(qulonglong(result.refused.size() - kListed));
    }
    return text;
}

QString notUndoableText(const UndoEntryInfo& info) {
    return entryTitle(info) +
           QStringLiteral("\r\nは完全に削除したので元に戻せません。\r\nこの操作は飛ばして、次からはその前の操作を元に戻します。");
}
