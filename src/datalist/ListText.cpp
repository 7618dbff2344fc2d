#include "datalist/ListText.h"

#include <QStringDecoder>
#include <QStringEncoder>

bool WriteListText(const std::vector<std::string>& rows, const ByteSink& sink) {
    constexpr std::size_t kPiece = std::size_t(1) << 20;
    std::string piece;
    piece.reserve(kPiece);
    for (const std::string& row : rows) {
        if (!piece.empty() && piece.size() + row.size() + 2 > kPiece) {
            if (!sink(piece)) return false;
            piece.clear();
        }
        piece += row;
        piece += "\r\n";
    }
    return piece.empty() || sink(piece);
}

QString ListTextForClipboard(const std::vector<std::string>& rows) {
    // A byte never becomes more than one UTF-16 unit (four bytes two).
    qsizetype units = 0;
    for (const std::string& row : rows) units += qsizetype(row.size()) + 2;
    QString text(units, Qt::Uninitialized);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QChar* out = text.data();
    for (const std::string& row : rows) {
        out = decoder.appendToBuffer(out, QByteArrayView(row.data(), qsizetype(row.size())));
        *out++ = u'\r';
        *out++ = u'\n';
    }
    text.truncate(out - text.constData());
    if (text.capacity() > text.size() + text.size() / 4) text.squeeze();
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
