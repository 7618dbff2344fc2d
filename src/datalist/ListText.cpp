// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "datalist/ListText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) more = 1;
        else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (end - p <= more) return false;
        if (p[1] < low || p[1] > high) return false;
        for (int k = 2; k <= more; ++k)
            if (p[k] < 0x80 || p[k] > 0xBF) return false;
        p += more + 1;
    }
    return true;
}

}  // namespace

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

std::vector<std::string> RowsFromPastedUtf8(std::string_view text) {
    PastedRows rows;
    rows.add(text);
    return rows.finish();
}

void PastedRows::add(std::string_view piece) {
    for (const char c : piece) {
        if (ended_) return;
        if (static_cast<unsigned char>(c) <= 32) {
            if (started_) blanks_ += c;
            continue;
        }
        started_ = true;
        for (const char b : blanks_) take(b);
        blanks_.clear();
        take(c);
    }
}

std::vector<std::string> PastedRows::finish() {
    if (!line_.empty()) endLine();
    return std::move(rows_);
}

void PastedRows::take(char c) {
    if (ended_) return;
    if (c == '\0') {
        ended_ = true;
        return;
    }
    const bool lf = c == '\n';
    if (afterCr_ && lf) {
        afterCr_ = false;
        return;
    }
    afterCr_ = false;
    if (c == '\r' || lf) {
        endLine();
        afterCr_ = c == '\r';
        return;
    }
    line_ += c;
}

void PastedRows::endLine() {
    if (isValidUtf8(line_)) rows_.push_back(std::move(line_));
    else rows_.push_back(QString::fromUtf8(line_.data(), qsizetype(line_.size())).toStdString());
    line_.clear();
}
