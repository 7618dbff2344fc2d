#include "datalist/ListText.h"

#include <QStringEncoder>

std::string ListText(const std::vector<std::string>& rows) {
    std::size_t size = 0;
    for (const std::string& row : rows) size += row.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& row : rows) {
        text += row;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> RowsFromPastedText(QStringView text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= 32) ++begin;
    while (end > begin && text[end - 1].unicode() <= 32) --end;
    if (const qsizetype nul = text.sliced(begin, end - begin).indexOf(QChar(0)); nul >= 0)
        end = begin + nul;

    // Lines go to UTF-8 one at a time, so a long text is never held twice.
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    std::string buffer;
    std::vector<std::string> rows;
    auto add = [&](qsizetype from, qsizetype to) {
        const QStringView line = text.sliced(from, to - from);
        buffer.resize(std::size_t(encoder.requiredSpace(line.size())));
        char* last = encoder.appendToBuffer(buffer.data(), line);
        rows.emplace_back(buffer.data(), last);
    };
    const QChar* chars = text.data();
    qsizetype lineStart = begin;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = chars[i].unicode();
        if (c != u'\r' && c != u'\n') continue;
        add(lineStart, i);
        if (c == u'\r' && i + 1 < end && chars[i + 1].unicode() == u'\n') ++i;
        lineStart = i + 1;
    }
    if (lineStart < end) add(lineStart, end);
    return rows;
}
