// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Sorting a million paths in the collation's order: texts whose characters
// each weigh the same wherever they stand get compact keys of per-character
// ranks and a radix-like sort on 8-byte windows of those keys; the rest take
// ICU's sort keys and are merged in by the exact comparison.
#include <algorithm>
#include <cstring>
#include <numeric>

#include <unicode/ucol.h>

#include "util/Collation.h"

namespace {

constexpr std::uint32_t kNotKeyable = 1;

// One character of at most three UTF-8 bytes (the BMP) at p; 0 when the
// bytes there are not such a character.
inline int decodeBmp(const unsigned char* p, const unsigned char* end, char32_t& c) {
    const unsigned b0 = p[0];
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    if (b0 < 0xC2) return 0;
    if (b0 < 0xE0) {
        if (end - p < 2 || (p[1] & 0xC0) != 0x80) return 0;
        c = char32_t(((b0 & 0x1F) << 6) | (p[1] & 0x3F));
        return 2;
    }
    if (b0 < 0xF0) {
        if (end - p < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return 0;
        c = char32_t(((b0 & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
        if (c < 0x800 || (c >= 0xD800 && c < 0xE000)) return 0;
        return 3;
    }
    return 0;
}

// Ranks as bytes that keep their order and never contain a zero first byte:
// 1 byte below 0xDF, then 0xE0..0xFE plus one byte, then 0xFF plus two.
inline void putRank(std::vector<unsigned char>& key, std::uint32_t rank) {
    if (rank < 0xDF) {
        key.push_back(static_cast<unsigned char>(rank + 1));
        return;
    }
    rank -= 0xDF;
    if (rank < 31 * 256) {
        key.push_back(static_cast<unsigned char>(0xE0 + (rank >> 8)));
        key.push_back(static_cast<unsigned char>(rank & 0xFF));
        return;
    }
    rank -= 31 * 256;
    key.push_back(0xFF);
    key.push_back(static_cast<unsigned char>(rank >> 8));
    key.push_back(static_cast<unsigned char>(rank & 0xFF));
}

struct Keys {
    std::vector<unsigned char> bytes;  // every key ends with a zero byte
    std::vector<std::size_t> start;    // key k is bytes[start[k], start[k + 1])
};

struct Item {
    std::uint64_t window;  // 8 key bytes from the current depth, big-endian
    std::uint32_t key;
    std::uint32_t row;
};

std::uint64_t window(const Keys& keys, std::uint32_t k, std::size_t depth) {
    const std::size_t begin = keys.start[k] + depth;
    const std::size_t end = keys.start[k + 1];
    std::uint64_t w = 0;
    for (std::size_t i = 0; i < 8; ++i)
        w = (w << 8) | (begin + i < end ? keys.bytes[begin + i] : 0u);
    return w;
}

// Past this depth keys still equal share long prefixes (deep folders):
// comparing whole keys costs less than one more round of windows.
constexpr std::size_t kCompareDepth = 32;

// The most key bytes a collation keeps between sorts.
constexpr std::size_t kKeptKeyBytes = 8 << 20;

// Sorts items by their keys from depth on; equal keys go by tied().
template <class Tied>
void sortByKeys(Item* first, Item* last, std::size_t depth, const Keys& keys, const Tied& tied) {
    if (depth >= kCompareDepth) {
        // Every key ends with its only zero at a rank's start, so two keys
        // compare as their bytes up to the shorter one's end.
        std::sort(first, last, [&](const Item& a, const Item& b) {
            const std::size_t la = keys.start[a.key + 1] - keys.start[a.key] - depth;
            const std::size_t lb = keys.start[b.key + 1] - keys.start[b.key] - depth;
            const int c = std::memcmp(keys.bytes.data() + keys.start[a.key] + depth,
                                      keys.bytes.data() + keys.start[b.key] + depth, std::min(la, lb));
            return c != 0 ? c < 0 : la != lb ? la < lb : tied(a, b);
        });
        return;
    }
    for (Item* it = first; it != last; ++it) it->window = window(keys, it->key, depth);
    std::sort(first, last, [](const Item& a, const Item& b) { return a.window < b.window; });
    for (Item* group = first; group != last;) {
        Item* end = group + 1;
        while (end != last && end->window == group->window) ++end;
        if (end - group > 1) {
            const std::size_t length = keys.start[group->key + 1] - keys.start[group->key];
            if (length <= depth + 8) {
                std::sort(group, end, tied);
            } else {
                sortByKeys(group, end, depth + 8, keys, tied);
            }
        }
        group = end;
    }
}

// Puts items[order[k]] at k, moving each string once.
void applyOrder(std::vector<std::string>& items, std::vector<std::uint32_t>& order) {
    const auto done = std::uint32_t(items.size());
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (order[k] == done || order[k] == k) continue;
        std::string held = std::move(items[k]);
        std::size_t at = k;
        for (;;) {
            const std::size_t from = order[at];
            order[at] = done;
            if (from == k) {
                items[at] = std::move(held);
                break;
            }
            items[at] = std::move(items[from]);
            at = from;
        }
    }
}

// Paths of a walk come folder by folder: a text often begins with the folder
// of the text before it, and that part, up to and with a "/", is checked and
// keyed once. A character's key bytes depend only on it and the one before.
struct SharedFolder {
    std::string_view last;
    // After each "/" of last: the length of the text up to there, and of its key.
    std::vector<std::pair<std::size_t, std::size_t>> marks;

    // The length of the part of text up to a "/" that last shares; text
    // becomes last, keeping the marks of that part.
    std::size_t shared(std::string_view text) {
        std::size_t common = 0;
        {
            const std::size_t n = std::min(last.size(), text.size());
            const char* a = text.data();
            const char* b = last.data();
            while (common + 16 <= n && std::memcmp(a + common, b + common, 16) == 0) common += 16;
            while (common < n && a[common] == b[common]) ++common;
        }
        while (!marks.empty() && marks.back().first > common) marks.pop_back();
        last = text;
        return marks.empty() ? 0 : marks.back().first;
    }
    std::size_t keyed() const { return marks.empty() ? 0 : marks.back().second; }
};

}  // namespace

std::uint64_t CaseInsensitiveCollation::secondariesAt(char32_t before, char32_t c) {
    return before != 0 && afterDependent_[c] ? weightsAfter(before, c).secondaries : secondaries_[c];
}

bool CaseInsensitiveCollation::lessBySecondaries(std::string_view a, std::string_view b) {
    // The secondary weights of a text, one after another.
    struct Stream {
        const unsigned char* p;
        const unsigned char* end;
        char32_t before = 0;
        std::uint64_t pending = 0;
    };
    auto next = [this](Stream& s) -> std::uint32_t {
        while (s.pending == 0) {
            if (s.p == s.end) return 0;
            char32_t c = 0;
            s.p += decodeBmp(s.p, s.end, c);
            s.pending = secondariesAt(s.before, c);
            s.before = c;
        }
        const auto w = std::uint32_t(s.pending >> 48);
        s.pending <<= 16;
        return w;
    };
    auto stream = [](std::string_view s) {
        const auto* p = reinterpret_cast<const unsigned char*>(s.data());
        return Stream{p, p + s.size()};
    };
    Stream x = stream(a), y = stream(b);
    for (;;) {
        const std::uint32_t u = next(x), v = next(y);
        if (u != v) return u < v;
        if (u == 0) return compareTies(a, b) < 0;
    }
}

template <class Text>
void CaseInsensitiveCollation::sortByIcuKeys(const std::vector<Text>& items,
                                             std::vector<std::uint32_t>& rows) const {
    std::vector<std::string> keys(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) keys[i] = sortKey(items[rows[i]]);
    std::vector<std::uint32_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t x, std::uint32_t y) {
        const int c = keys[x].compare(keys[y]);
        return c != 0 ? c < 0 : compareTies(items[rows[x]], items[rows[y]]) < 0;
    });
    std::vector<std::uint32_t> sorted(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) sorted[i] = rows[order[i]];
    rows = std::move(sorted);
}

void CaseInsensitiveCollation::sort(std::vector<std::string>& items) {
    if (items.size() < 2) return;
    std::vector<std::uint32_t> o = order(items);
    applyOrder(items, o);
}

// One body for texts and for views of them: views made of a million texts
// would cost their memory for nothing.
template <class Text>
std::vector<std::uint32_t> CaseInsensitiveCollation::orderOf(const std::vector<Text>& items) {
    const std::size_t n = items.size();
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    // A folder's few names: comparing them costs less than setting up keys.
    if (n <= 64) {
        std::sort(order.begin(), order.end(), [this, &items](std::uint32_t a, std::uint32_t b) {
            const int c = compare(items[a], items[b]);
            return c != 0 ? c < 0 : a < b;
        });
        return order;
    }
    order.clear();

    // Which rows are keyable, and which characters and weights they use.
    std::vector<std::uint32_t> simple, complex;
    std::vector<unsigned char> seen(0x10000, 0);
    std::vector<std::uint32_t> pairPrimaries;
    SharedFolder checked;
    for (std::size_t row = 0; row < n; ++row) {
        const auto* begin = reinterpret_cast<const unsigned char*>(items[row].data());
        const std::size_t from = keyable_ ? checked.shared(items[row]) : 0;
        const auto* p = begin + from;
        const auto* end = begin + items[row].size();
        bool keyable = keyable_;
        char32_t before = from ? U'/' : char32_t{0};
        while (keyable && p < end) {
            char32_t c;
            const int used = decodeBmp(p, end, c);
            if (used == 0 || c == 0) {
                keyable = false;
                break;
            }
            std::uint32_t primary;
            if (before != 0 && afterDependent_[c]) {
                primary = weightsAfter(before, c).primary;
                if (primary > kNotKeyable) pairPrimaries.push_back(primary);
            } else {
                primary = primary_[c];
                if (primary == 0) primary = primaryOf(c);
                seen[c] = 1;
            }
            if (primary == kNotKeyable) keyable = false;
            before = c;
            p += used;
            if (c == U'/' && keyable) checked.marks.emplace_back(std::size_t(p - begin), 0);
        }
        (keyable ? simple : complex).push_back(std::uint32_t(row));
    }

    order.reserve(n);
    if (!simple.empty()) {
        // Ranks of the primary weights in use, in the collation's order
        // (which may reorder scripts, so single characters are compared).
        std::vector<std::pair<std::uint32_t, char16_t>> weights;
        for (std::size_t c = 0; c < seen.size(); ++c)
            if (seen[c] && primary_[c] > kNotKeyable) weights.emplace_back(primary_[c], char16_t(c));
        std::sort(pairPrimaries.begin(), pairPrimaries.end());
        pairPrimaries.erase(std::unique(pairPrimaries.begin(), pairPrimaries.end()), pairPrimaries.end());
        for (std::uint32_t primary : pairPrimaries) {
            const char16_t c = representative(primary);
            if (c == 0) {
                // No character stands for this weight alone: texts with it
                // take ICU's keys.
                for (auto& pair : pairs_)
                    if (pair.second.primary == primary) pair.second.primary = kNotKeyable;
                return orderOf(items);
            }
            weights.emplace_back(primary, c);
        }
        std::sort(weights.begin(), weights.end());
        std::vector<std::pair<std::uint32_t, char16_t>> distinct;
        for (const auto& w : weights)
            if (distinct.empty() || distinct.back().first != w.first) distinct.push_back(w);
        std::sort(distinct.begin(), distinct.end(), [this](const auto& a, const auto& b) {
            return ucol_strcoll(collator_, reinterpret_cast<const UChar*>(&a.second), 1,
                                reinterpret_cast<const UChar*>(&b.second), 1) == UCOL_LESS;
        });
        std::vector<std::uint16_t> rank(0x10000, 0);
        std::vector<std::pair<std::uint32_t, std::uint16_t>> rankOfPrimary;
        for (std::size_t r = 0; r < distinct.size(); ++r) {
            const std::uint32_t primary = distinct[r].first;
            rankOfPrimary.emplace_back(primary, std::uint16_t(r));
            auto it = std::lower_bound(weights.begin(), weights.end(), std::make_pair(primary, char16_t(0)));
            for (; it != weights.end() && it->first == primary; ++it) rank[it->second] = std::uint16_t(r);
        }
        std::sort(rankOfPrimary.begin(), rankOfPrimary.end());
        auto rankAfter = [&](char32_t before, char32_t c) {
            const std::uint32_t primary = weightsAfter(before, c).primary;
            return std::lower_bound(rankOfPrimary.begin(), rankOfPrimary.end(),
                                    std::make_pair(primary, std::uint16_t(0)))->second;
        };
        std::vector<unsigned char>().swap(seen);

        Keys keys;
        keys.bytes.swap(keyBytes_);
        keys.bytes.clear();
        keys.start.reserve(simple.size() + 1);
        std::size_t bytes = 0;
        for (std::uint32_t row : simple) bytes += items[row].size() + 1;
        keys.bytes.reserve(bytes);
        SharedFolder keyed;
        std::size_t lastStart = 0;
        for (std::uint32_t row : simple) {
            const std::size_t start = keys.bytes.size();
            keys.start.push_back(start);
            const auto* begin = reinterpret_cast<const unsigned char*>(items[row].data());
            const std::size_t from = keyed.shared(items[row]);
            keys.bytes.resize(start + keyed.keyed());
            if (keyed.keyed()) std::memcpy(keys.bytes.data() + start, keys.bytes.data() + lastStart, keyed.keyed());
            const auto* p = begin + from;
            const auto* end = begin + items[row].size();
            char32_t before = from ? U'/' : char32_t{0};
            while (p < end) {
                char32_t c = 0;
                p += decodeBmp(p, end, c);
                putRank(keys.bytes, before != 0 && afterDependent_[c] ? rankAfter(before, c) : rank[c]);
                before = c;
                if (c == U'/') keyed.marks.emplace_back(std::size_t(p - begin), keys.bytes.size() - start);
            }
            keys.bytes.push_back(0);
            lastStart = start;
        }
        keys.start.push_back(keys.bytes.size());

        std::vector<Item> sorted(simple.size());
        for (std::size_t k = 0; k < simple.size(); ++k) sorted[k] = {0, std::uint32_t(k), simple[k]};
        sortByKeys(sorted.data(), sorted.data() + sorted.size(), 0, keys,
                   [this, &items](const Item& a, const Item& b) {
                       return lessBySecondaries(items[a.row], items[b.row]);
                   });
        for (std::size_t k = 0; k < sorted.size(); ++k) simple[k] = sorted[k].row;
        if (keys.bytes.capacity() <= kKeptKeyBytes) keys.bytes.swap(keyBytes_);
    }

    if (complex.empty()) {
        order = std::move(simple);
    } else {
        sortByIcuKeys(items, complex);
        // Merge by the exact comparison; few complex rows are placed by
        // binary search, many by walking both lists.
        const bool search = complex.size() * 24 < simple.size();
        std::size_t s = 0;
        for (std::uint32_t c : complex) {
            auto before = [&](std::uint32_t row) { return compare(items[row], items[c]) < 0; };
            std::size_t end = s;
            if (search) {
                end = std::size_t(std::partition_point(simple.begin() + long(s), simple.end(), before) -
                                  simple.begin());
            } else {
                while (end < simple.size() && before(simple[end])) ++end;
            }
            order.insert(order.end(), simple.begin() + long(s), simple.begin() + long(end));
            order.push_back(c);
            s = end;
        }
        order.insert(order.end(), simple.begin() + long(s), simple.end());
    }
    return order;
}

std::vector<std::uint32_t> CaseInsensitiveCollation::order(const std::vector<std::string>& items) {
    return orderOf(items);
}

std::vector<std::uint32_t> CaseInsensitiveCollation::order(const std::vector<std::string_view>& items) {
    return orderOf(items);
}
