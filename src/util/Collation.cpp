#include "util/Collation.h"

#include <algorithm>
#include <string>

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

CaseInsensitiveCollation& defaultCollation() {
    thread_local CaseInsensitiveCollation instance(defaultLocale());
    return instance;
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

}  // namespace

CaseInsensitiveCollation::CaseInsensitiveCollation(const std::string& locale)
    : primary_(0x10000, 0), secondaries_(0x10000, 0) {
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
    // texts without one of them (its rarest) never meet it.
    USet* contractions = uset_openEmpty();
    ucol_getContractionsAndExpansions(collator_, contractions, nullptr, true, &status);
    if (U_FAILURE(status)) keyable_ = false;
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
            UChar32 rarest = -1;
            int rarity = 99;
            for (int32_t k = 0; k < length;) {
                UChar32 c;
                U16_NEXT(text, k, length, c);
                if (commonness(c) <= rarity) rarity = commonness(c), rarest = c;
            }
            if (rarest >= 0 && rarest < 0x10000) primary_[std::size_t(rarest)] = 1;
        }
    }
    uset_close(contractions);

    status = U_ZERO_ERROR;
    const UChar a[] = {u'a'};
    UCollationElements* elements = ucol_openElements(collator_, a, 1, &status);
    const int32_t ce = U_SUCCESS(status) ? ucol_next(elements, &status) : 0;
    ucol_closeElements(elements);
    commonSecondary_ = std::uint32_t(ce) & 0xff00;
    if (U_FAILURE(status) || commonSecondary_ == 0) keyable_ = false;
}

CaseInsensitiveCollation::~CaseInsensitiveCollation() { ucol_close(collator_); }

std::uint32_t CaseInsensitiveCollation::primaryOf(char32_t c) {
    std::uint32_t& known = primary_[std::size_t(c)];
    if (known != 0) return known;
    known = 1;
    // The character's collation elements, each 32-bit half with its
    // continuation (which carries the low bits of long weights) joined.
    UChar text[1] = {UChar(c)};
    UErrorCode status = U_ZERO_ERROR;
    UCollationElements* elements = ucol_openElements(collator_, text, 1, &status);
    if (U_FAILURE(status)) return known;
    struct Element {
        std::uint32_t primary, secondary;
    };
    std::vector<Element> list;
    for (;;) {
        const auto half = std::uint32_t(ucol_next(elements, &status));
        if (U_FAILURE(status) || half == std::uint32_t(UCOL_NULLORDER)) break;
        if ((half & 0xc0) == 0xc0 && !list.empty()) {
            list.back().primary |= half >> 16;
            list.back().secondary |= (half >> 8) & 0xff;
        } else {
            list.push_back({half & 0xffff0000, half & 0xff00});
        }
        if (list.size() > 5) break;
    }
    ucol_closeElements(elements);
    // Keyable: a first element with a primary weight, then only elements
    // that weigh at the secondary level alone.
    if (U_FAILURE(status) || list.empty() || list.size() > 4 || list[0].primary == 0) return known;
    std::uint64_t secondaries = 0;
    int shift = 48;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0 && list[i].primary != 0) return known;
        if (list[i].secondary == 0) continue;  // ignorable at this strength
        if (backwardSecondary_ && list[i].secondary != commonSecondary_) return known;
        secondaries |= std::uint64_t(list[i].secondary) << shift;
        shift -= 16;
    }
    secondaries_[std::size_t(c)] = secondaries;
    known = std::max<std::uint32_t>(2, list[0].primary);
    return known;
}

int CaseInsensitiveCollation::compare(const std::string& a, const std::string& b) const {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(collator_, a.data(), int32_t(a.size()),
                                                b.data(), int32_t(b.size()), &status);
    if (U_SUCCESS(status) && r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::string CaseInsensitiveCollation::sortKey(const std::string& s) const {
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

void sortCaseInsensitive(std::vector<std::string>& items) { defaultCollation().sort(items); }
