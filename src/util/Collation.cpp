// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/Collation.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <utility>
#include <string>
#include <vector>

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uloc.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>

namespace {

// The default locale's collation; the POSIX locale's tailoring orders by
// ASCII code, so the root collation stands in for it.
std::string defaultLocale() {
    const std::string locale = uloc_getDefault();
    const bool posix = locale == "en_US_POSIX" || locale == "c" || locale.empty();
    return posix ? std::string() : locale;
}

// Making a collation takes milliseconds (ICU's lists of contractions) and
// its per-character tables fill as texts come, while every search runs on a
// thread of its own: a thread that ends leaves its collation here for the
// next thread of the same locale.
class CollationPool {
public:
    std::unique_ptr<CaseInsensitiveCollation> take(const std::string& locale) {
        {
            std::lock_guard lock(mutex_);
            for (auto it = idle_.begin(); it != idle_.end(); ++it) {
                if (it->first != locale) continue;
                std::unique_ptr<CaseInsensitiveCollation> collation = std::move(it->second);
                idle_.erase(it);
                return collation;
            }
        }
        return std::make_unique<CaseInsensitiveCollation>(locale);
    }
    void give(std::string locale, std::unique_ptr<CaseInsensitiveCollation> collation) {
        std::lock_guard lock(mutex_);
        if (idle_.size() < 4) idle_.emplace_back(std::move(locale), std::move(collation));
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<std::string, std::unique_ptr<CaseInsensitiveCollation>>> idle_;
};

// Never destroyed: threads may end after the program's static objects.
CollationPool& collationPool() {
    static CollationPool* pool = new CollationPool;
    return *pool;
}

// A thread's collation, back to the pool when the thread ends.
struct CollationLease {
    std::string locale = defaultLocale();
    std::unique_ptr<CaseInsensitiveCollation> collation = collationPool().take(locale);
    ~CollationLease() { collationPool().give(std::move(locale), std::move(collation)); }
};

CaseInsensitiveCollation& defaultCollation() {
    thread_local CollationLease lease;
    return *lease.collation;
}

// How common a character is in paths: the rarest character of a contraction
// tells texts that cannot hold it apart at least cost.
int commonness(UChar32 c) {
    if (c < 0x80) return u_isalnum(c) ? 5 : 4;
    switch (u_charType(c)) {
        case U_UPPERCASE_LETTER:
        case U_LOWERCASE_LETTER:
        case U_OTHER_LETTER: return 3;
        case U_MODIFIER_LETTER:
        case U_OTHER_PUNCTUATION: return 2;
        case U_NON_SPACING_MARK:
        case U_COMBINING_SPACING_MARK:
        case U_UNASSIGNED: return 0;
        default: return 1;
    }
}

// A contraction of two starters, marks after the first allowed: the second
// one's weights depend on the character before it (a precomposed one
// included), which a pair of characters shows.
bool isPair(const std::u32string& chars) {
    if (chars.size() < 2 || u_getCombiningClass(UChar32(chars.front())) != 0 ||
        u_getCombiningClass(UChar32(chars.back())) != 0)
        return false;
    for (std::size_t k = 1; k + 1 < chars.size(); ++k)
        if (u_getCombiningClass(UChar32(chars[k])) == 0) return false;
    return true;
}

}  // namespace

CaseInsensitiveCollation::CaseInsensitiveCollation(const std::string& locale)
    : primary_(0x10000, 0), secondaries_(0x10000, 0), afterDependent_(0x10000, 0) {
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open(locale.c_str(), &status);
    if (U_FAILURE(status) || !collator_) {
        status = U_ZERO_ERROR;
        collator_ = ucol_open("", &status);
    }
    ucol_setStrength(collator_, UCOL_SECONDARY);

    // Per-character keys need every character to weigh the same wherever it
    // stands and punctuation to count: no shifted punctuation, no numeric
    // runs, no case level.
    status = U_ZERO_ERROR;
    keyable_ = ucol_getAttribute(collator_, UCOL_ALTERNATE_HANDLING, &status) == UCOL_NON_IGNORABLE &&
               ucol_getAttribute(collator_, UCOL_NUMERIC_COLLATION, &status) == UCOL_OFF &&
               ucol_getAttribute(collator_, UCOL_CASE_LEVEL, &status) == UCOL_OFF &&
               U_SUCCESS(status);
    backwardSecondary_ = ucol_getAttribute(collator_, UCOL_FRENCH_COLLATION, &status) == UCOL_ON;
    if (!keyable_) return;

    // A contraction or a context applies only where all its characters stand;
    // texts without one of them (its rarest) never meet it. The second
    // character of a pair is keyed by the pair instead (its weights are
    // checked to follow those of the first), unless it belongs to a longer
    // contraction.
    USet* contractions = uset_openEmpty();
    ucol_getContractionsAndExpansions(collator_, contractions, nullptr, true, &status);
    if (U_FAILURE(status)) keyable_ = false;
    std::vector<std::u32string> strings;
    std::vector<char> elsewhere(0x10000, 0);
    const int32_t items = uset_getItemCount(contractions);
    for (int32_t i = 0; keyable_ && i < items; ++i) {
        UChar32 start = 0, end = 0;
        UChar text[64];
        UErrorCode itemStatus = U_ZERO_ERROR;
        const int32_t length = uset_getItem(contractions, i, &start, &end, text, 64, &itemStatus);
        if (U_FAILURE(itemStatus)) {
            keyable_ = false;
        } else if (length == 0) {
            for (UChar32 c = start; c <= end && c < 0x10000; ++c) primary_[std::size_t(c)] = 1;
        } else {
            std::u32string chars;
            for (int32_t k = 0; k < length;) {
                UChar32 c;
                U16_NEXT(text, k, length, c);
                chars += char32_t(c);
            }
            if (isPair(chars)) {
                if (chars.back() < 0x10000) afterDependent_[chars.back()] = 1;
            } else {
                for (char32_t c : chars)
                    if (c < 0x10000) elsewhere[c] = 1;
            }
            strings.push_back(std::move(chars));
        }
    }
    uset_close(contractions);
    for (std::size_t c = 0; c < 0x10000; ++c)
        if (elsewhere[c]) afterDependent_[c] = 0;
    for (const std::u32string& chars : strings) {
        if (isPair(chars) && chars.back() < 0x10000 && afterDependent_[chars.back()]) continue;
        // One starter with marks: it meets only a precomposed character,
        // whose own weights say so, or marks, which are never keyed.
        if (std::count_if(chars.begin(), chars.end(),
                          [](char32_t c) { return u_getCombiningClass(UChar32(c)) == 0; }) <= 1)
            continue;
        // A precomposed character stands for a starter and the marks after
        // it, so only a starter without marks surely occurs in every text
        // the contraction applies to.
        char32_t rarest = 0;
        int rarity = 99;
        for (std::size_t k = 0; k < chars.size(); ++k) {
            const bool alone = u_getCombiningClass(UChar32(chars[k])) == 0 &&
                               (k + 1 == chars.size() || u_getCombiningClass(UChar32(chars[k + 1])) == 0);
            if (alone && commonness(UChar32(chars[k])) <= rarity)
                rarity = commonness(UChar32(chars[k])), rarest = chars[k];
        }
        if (rarest != 0 && rarest < 0x10000) primary_[rarest] = 1, afterDependent_[rarest] = 0;
        if (rarest == 0) keyable_ = false;  // no character tells its texts apart
    }

    status = U_ZERO_ERROR;
    const UChar a[] = {u'a'};
    UCollationElements* elements = ucol_openElements(collator_, a, 1, &status);
    const int32_t ce = U_SUCCESS(status) ? ucol_next(elements, &status) : 0;
    ucol_closeElements(elements);
    commonSecondary_ = std::uint32_t(ce) & 0xff00;
    if (U_FAILURE(status) || commonSecondary_ == 0) keyable_ = false;
}

CaseInsensitiveCollation::~CaseInsensitiveCollation() { ucol_close(collator_); }

std::vector<CaseInsensitiveCollation::Element> CaseInsensitiveCollation::elementsOf(
    const char16_t* text, int length, std::size_t limit) const {
    // Each 32-bit half joined with its continuation, which carries the low
    // bits of long weights.
    std::vector<Element> list;
    UErrorCode status = U_ZERO_ERROR;
    UCollationElements* elements =
        ucol_openElements(collator_, reinterpret_cast<const UChar*>(text), length, &status);
    if (U_FAILURE(status)) return list;
    for (;;) {
        const auto half = std::uint32_t(ucol_next(elements, &status));
        if (U_FAILURE(status) || half == std::uint32_t(UCOL_NULLORDER)) break;
        if ((half & 0xc0) == 0xc0 && !list.empty()) {
            list.back().primary |= half >> 16;
            list.back().secondary |= (half >> 8) & 0xff;
        } else {
            list.push_back({half & 0xffff0000, half & 0xff00});
        }
        if (list.size() > limit + 5) break;
    }
    ucol_closeElements(elements);
    if (U_FAILURE(status)) list.clear();
    return list;
}

CaseInsensitiveCollation::Weights CaseInsensitiveCollation::weightsOf(const std::vector<Element>& list,
                                                                     std::size_t first) const {
    // Keyable: a first element with a primary weight, then only elements
    // that weigh at the secondary level alone.
    if (list.size() <= first || list.size() > first + 4 || list[first].primary == 0) return {};
    Weights weights;
    int shift = 48;
    for (std::size_t i = first; i < list.size(); ++i) {
        if (i > first && list[i].primary != 0) return {};
        if (list[i].secondary == 0) continue;  // ignorable at this strength
        if (backwardSecondary_ && list[i].secondary != commonSecondary_) return {};
        weights.secondaries |= std::uint64_t(list[i].secondary) << shift;
        shift -= 16;
    }
    weights.primary = std::max<std::uint32_t>(2, list[first].primary);
    return weights;
}

std::uint32_t CaseInsensitiveCollation::primaryOf(char32_t c) {
    std::uint32_t& known = primary_[std::size_t(c)];
    if (known != 0) return known;
    const char16_t text[1] = {char16_t(c)};
    // Marks combine with what stands before them: never keyed.
    const Weights weights = u_getCombiningClass(UChar32(c)) != 0 ? Weights{}
                                                                 : weightsOf(elementsOf(text, 1, 0), 0);
    secondaries_[std::size_t(c)] = weights.secondaries;
    known = weights.primary;
    return known;
}

const CaseInsensitiveCollation::Weights& CaseInsensitiveCollation::weightsAfter(char32_t before,
                                                                               char32_t c) {
    const std::uint32_t key = (std::uint32_t(before) << 16) | std::uint32_t(c);
    const auto found = pairs_.find(key);
    if (found != pairs_.end()) return found->second;
    // The pair's elements begin with exactly those of before alone; the rest
    // are c's.
    Weights weights;
    const char16_t pair[2] = {char16_t(before), char16_t(c)};
    const std::vector<Element> alone = elementsOf(pair, 1, 0);
    const std::vector<Element> both = elementsOf(pair, 2, alone.size());
    if (!alone.empty() && both.size() > alone.size() &&
        std::equal(alone.begin(), alone.end(), both.begin()))
        weights = weightsOf(both, alone.size());
    return pairs_.emplace(key, weights).first->second;
}

char16_t CaseInsensitiveCollation::representative(std::uint32_t primary) {
    if (representatives_.empty()) {
        for (char32_t c = 1; c < 0x10000; ++c) {
            if (c >= 0xD800 && c < 0xE000) continue;
            const std::uint32_t p = primaryOf(c);
            if (p > 1) representatives_.emplace(p, char16_t(c));
        }
        representatives_.emplace(0, 0);  // looked once
    }
    const auto found = representatives_.find(primary);
    return found == representatives_.end() ? 0 : found->second;
}

int CaseInsensitiveCollation::compare(std::string_view a, std::string_view b) const {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(collator_, a.data(), int32_t(a.size()),
                                                b.data(), int32_t(b.size()), &status);
    if (U_SUCCESS(status) && r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
    return compareTies(a, b);
}

int CaseInsensitiveCollation::compareTies(std::string_view a, std::string_view b) {
    const auto upper = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 'a' && u <= 'z' ? u - 32 : u;
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]) ? -1 : 1;
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::string CaseInsensitiveCollation::sortKey(std::string_view s) const {
    std::u16string u(s.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(u.data()), int32_t(u.size()), &length, s.data(),
                         int32_t(s.size()), 0xFFFD, nullptr, &status);
    u.resize(U_SUCCESS(status) ? std::size_t(length) : 0);
    const auto* text = reinterpret_cast<const UChar*>(u.data());
    std::string key(u.size() * 4 + 16, '\0');
    int32_t n = ucol_getSortKey(collator_, text, int32_t(u.size()),
                                reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
    if (n > int32_t(key.size())) {
        key.resize(std::size_t(n));
        n = ucol_getSortKey(collator_, text, int32_t(u.size()),
                            reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
    }
    key.resize(n > 0 ? std::size_t(n) - 1 : 0);  // drop the terminating zero
    return key;
}

int compareCaseInsensitive(const std::string& a, const std::string& b) {
    return defaultCollation().compare(a, b);
}

bool lessCaseInsensitive(const std::string& a, const std::string& b) {
    return compareCaseInsensitive(a, b) < 0;
}

// Fewer than two texts need no order, nor the collation's set-up.
void sortCaseInsensitive(std::vector<std::string>& items) {
    if (items.size() > 1) defaultCollation().sort(items);
}

std::vector<std::size_t> caseInsensitiveOrder(const std::vector<std::string_view>& items) {
    if (items.size() < 2) return std::vector<std::size_t>(items.size(), 0);
    const std::vector<std::uint32_t> order = defaultCollation().order(items);
    return std::vector<std::size_t>(order.begin(), order.end());
}

void prepareCaseInsensitiveCollation() {
    // Letters, digits and signs of ASCII, kana, and the kanji of common
    // folder names, each once, so that their weights are looked up here.
    std::vector<std::string> sample;
    for (char c = ' '; c < 0x7f; ++c) sample.emplace_back(1, c);
    const auto addRange = [&](char32_t first, char32_t last) {
        for (char32_t c = first; c <= last; ++c) {
            char bytes[4] = {char(0xe0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3f)), char(0x80 | (c & 0x3f)), 0};
            sample.emplace_back(bytes);
        }
    };
    addRange(0x3041, 0x3096);  // hiragana
    addRange(0x30a1, 0x30fc);  // katakana and the long vowel mark
    addRange(0xff01, 0xff5e);  // full-width forms
    for (const char* words : {"写真画像音楽動画資料文書報告書最終版年度月日新規作成保存用",
                              "フォルダデスクトップダウンロードドキュメントピクチャミュージックビデオ"})
        sample.emplace_back(words);
    sortCaseInsensitive(sample);
    defaultCollation().prepare();
}
