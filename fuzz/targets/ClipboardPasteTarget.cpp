// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Clipboard paste: the rows are the trimmed text's lines, cut at the first NUL.
#include <QString>
#include <QStringEncoder>

#include "FuzzCheck.h"
#include "Targets.h"
#include "datalist/ListText.h"

void fuzzClipboardPaste(std::string_view data) {
    // The bytes as UTF-16 units, lone surrogates and all, as a clipboard may hold.
    const QString text(reinterpret_cast<const QChar*>(data.data()), qsizetype(data.size() / 2));
    const std::vector<std::string> rows = RowsFromPastedText(text);

    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= 32) ++begin;
    while (end > begin && text[end - 1].unicode() <= 32) --end;
    QString expected = text.mid(begin, end - begin);
    if (const qsizetype nul = expected.indexOf(QChar(0)); nul >= 0) expected.truncate(nul);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    // A break just before the NUL ends the last row and starts none.
    if (expected.endsWith(u'\n')) expected.chop(1);

    std::string joined;
    for (const std::string& row : rows) {
        FUZZ_CHECK(row.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        if (&row != &rows.front()) joined += '\n';
        joined += row;
    }
    FUZZ_CHECK(rows.empty() == expected.isEmpty());
    // A lone surrogate becomes U+FFFD.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const QByteArray bytes = utf8.encode(expected);
    FUZZ_CHECK(joined == std::string_view(bytes.constData(), std::size_t(bytes.size())));
}
