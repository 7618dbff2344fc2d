// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/UndoRecords.h"

#include <zlib.h>

namespace {

std::uint32_t checksumOf(std::string_view bytes) {
    return std::uint32_t(crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size())));
}

// Little-endian integers and length-prefixed byte strings.
class Out {
public:
    void u8(std::uint8_t v) { bytes_.push_back(char(v)); }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(char((v >> (8 * i)) & 0xFF));
    }
    void u64(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) bytes_.push_back(char((v >> (8 * i)) & 0xFF));
    }
    void text(const std::string& s) {
        u32(std::uint32_t(s.size()));
        bytes_ += s;
    }
    void state(const FileState& s) {
        u64(s.dev);
        u64(s.ino);
        u64(s.size);
        u64(std::uint64_t(s.mtimeSec));
        u64(std::uint64_t(s.mtimeNsec));
        u32(s.mode);
        u8(s.stableIdentity ? 1 : 0);
    }
    std::string& bytes() { return bytes_; }

private:
    std::string bytes_;
};

class In {
public:
    explicit In(std::string_view data) : data_(data) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ == data_.size(); }
    std::uint8_t u8() { return std::uint8_t(take(1)); }
    std::uint32_t u32() { return std::uint32_t(take(4)); }
    std::uint64_t u64() { return take(8); }
    std::string text() {
        const std::size_t n = u32();
        if (!ok_ || n > data_.size() - pos_) {
            ok_ = false;
            return {};
        }
        std::string s(data_.substr(pos_, n));
        pos_ += n;
        return s;
    }
    FileState state() {
        FileState s;
        s.dev = u64();
        s.ino = u64();
        s.size = u64();
        s.mtimeSec = std::int64_t(u64());
        s.mtimeNsec = std::int64_t(u64());
        s.mode = u32();
        s.stableIdentity = u8() != 0;
        return s;
    }

private:
    std::uint64_t take(int n) {
        if (!ok_ || std::size_t(n) > data_.size() - pos_) {
            ok_ = false;
            return 0;
        }
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i) v |= std::uint64_t(std::uint8_t(data_[pos_ + i])) << (8 * i);
        pos_ += std::size_t(n);
        return v;
    }
    std::string_view data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

void writeItem(Out& out, const UndoItem& item) {
    out.u8(std::uint8_t(item.action));
    out.text(item.from);
    out.text(item.to);
    out.text(item.extra);
    out.state(item.before);
    out.state(item.after);
    out.u32(item.flags);
}

bool readItem(In& in, UndoItem& item) {
    const std::uint8_t action = in.u8();
    if (action < std::uint8_t(UndoAction::Copied) || action > std::uint8_t(UndoAction::Erased)) return false;
    item.action = UndoAction(action);
    item.from = in.text();
    item.to = in.text();
    item.extra = in.text();
    item.before = in.state();
    item.after = in.state();
    item.flags = in.u32();
    return in.ok();
}

bool readPayload(std::string_view payload, UndoRecord& out) {
    In in(payload);
    out = {};
    out.type = UndoRecordType(in.u8());
    switch (out.type) {
        case UndoRecordType::Header:
            out.time = std::int64_t(in.u64());
            out.command = in.text();
            break;
        case UndoRecordType::Undo:
        case UndoRecordType::Redo: out.time = std::int64_t(in.u64()); break;
        case UndoRecordType::Withdraw: out.index = in.u64(); break;
        case UndoRecordType::Result:
            out.index = in.u64();
            out.back = in.u8() != 0;
            if (!readItem(in, out.item)) return false;
            break;
        case UndoRecordType::Item:
            if (!readItem(in, out.item)) return false;
            break;
        case UndoRecordType::Truncated: break;
        default: return false;
    }
    return in.ok() && in.atEnd();
}

constexpr std::size_t kFrame = 8;                     // length and CRC
constexpr std::size_t kMaxPayload = std::size_t(1) << 26;  // paths are short

}  // namespace

std::string encodeUndoRecord(const UndoRecord& record) {
    Out payload;
    payload.u8(std::uint8_t(record.type));
    switch (record.type) {
        case UndoRecordType::Header:
            payload.u64(std::uint64_t(record.time));
            payload.text(record.command);
            break;
        case UndoRecordType::Undo:
        case UndoRecordType::Redo: payload.u64(std::uint64_t(record.time)); break;
        case UndoRecordType::Withdraw: payload.u64(record.index); break;
        case UndoRecordType::Result:
            payload.u64(record.index);
            payload.u8(record.back ? 1 : 0);
            writeItem(payload, record.item);
            break;
        case UndoRecordType::Item: writeItem(payload, record.item); break;
        case UndoRecordType::Truncated: break;
    }
    const std::string& body = payload.bytes();
    Out frame;
    frame.u32(std::uint32_t(body.size()));
    frame.u32(checksumOf(body));
    frame.bytes() += body;
    return std::move(frame.bytes());
}

DecodeStatus decodeUndoRecord(std::string_view data, std::size_t& pos, UndoRecord& out) {
    if (pos >= data.size()) return DecodeStatus::End;
    const std::size_t left = data.size() - pos;
    // A power loss may leave the file longer than what reached the device,
    // the rest zeros.
    if (data.find_first_not_of('\0', pos) == std::string_view::npos) return DecodeStatus::Torn;
    if (left < kFrame) return DecodeStatus::Torn;
    In frame(data.substr(pos, kFrame));
    const std::size_t length = frame.u32();
    const std::uint32_t crc = frame.u32();
    if (length == 0 || length > kMaxPayload) return length > left ? DecodeStatus::Torn : DecodeStatus::Damaged;
    if (length > left - kFrame) return DecodeStatus::Torn;
    const std::string_view payload = data.substr(pos + kFrame, length);
    const std::size_t end = pos + kFrame + length;
    const bool last = data.find_first_not_of('\0', end) == std::string_view::npos;
    if (checksumOf(payload) != crc) return last ? DecodeStatus::Torn : DecodeStatus::Damaged;
    if (!readPayload(payload, out)) return DecodeStatus::Damaged;
    pos += kFrame + length;
    return DecodeStatus::Ok;
}
