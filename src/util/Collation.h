// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct UCollator;

// The locale's collation ignoring case; entries that compare equal are then
// ordered by their bytes with ASCII letters folded to capitals, and last by
// their exact bytes: entries equal but for the case of ASCII letters, and
// exact duplicates, always stand next to each other.
// Bytes that are not UTF-8 collate as U+FFFD. Safe to call from any thread.
int compareCaseInsensitive(const std::string& a, const std::string& b);
bool lessCaseInsensitive(const std::string& a, const std::string& b);
void sortCaseInsensitive(std::vector<std::string>& items);

// That order for one ICU locale ("" for the root collation); one object
// serves one thread.
class CaseInsensitiveCollation {
public:
    explicit CaseInsensitiveCollation(const std::string& locale);
    ~CaseInsensitiveCollation();
    CaseInsensitiveCollation(const CaseInsensitiveCollation&) = delete;
    CaseInsensitiveCollation& operator=(const CaseInsensitiveCollation&) = delete;

    int compare(std::string_view a, std::string_view b) const;
    // Sorts in the order of compare. Texts made only of characters that
    // collate alone (one weight each, no contraction or context) are keyed
    // from a per-character table; the others take ICU's own sort keys and
    // are merged in by compare.
    void sort(std::vector<std::string>& items);
    // The order sort gives items, as indexes into items.
    std::vector<std::uint32_t> order(const std::vector<std::string>& items);
    std::vector<std::uint32_t> order(const std::vector<std::string_view>& items);
    // Looks up the weight of every character once (some 40 ms), so that no
    // sort has to.
    void prepare() { representative(0); }

private:
    // The weights of a keyable character: one primary weight, up to four
    // secondary weights (accents, voicing marks), 16 bits each, first in the
    // top bits. Primary 1: not keyable.
    struct Weights {
        std::uint32_t primary = 1;
        std::uint64_t secondaries = 0;
    };
    // Per BMP character: 0 not yet looked at, 1 not keyable, else its
    // primary weight.
    std::uint32_t primaryOf(char32_t c);
    // The weights of c where before stands in front of it (for characters
    // whose weights depend on the one before, such as the long vowel mark).
    const Weights& weightsAfter(char32_t before, char32_t c);
    struct Element {
        std::uint32_t primary, secondary;
        bool operator==(const Element&) const = default;
    };
    // A text's collation elements (at most a few more than limit).
    std::vector<Element> elementsOf(const char16_t* text, int length, std::size_t limit) const;
    // The weights of one character whose elements are list from first on.
    Weights weightsOf(const std::vector<Element>& list, std::size_t first) const;
    // A character whose own primary weight is primary, 0 when none.
    char16_t representative(std::uint32_t primary);
    // Orders texts of keyable characters with equal primary weights: by
    // their secondary weights, then by their bytes.
    bool lessBySecondaries(std::string_view a, std::string_view b);
    // The secondary weights of a character's keyable weights, given the
    // character before it (0 at the start).
    std::uint64_t secondariesAt(char32_t before, char32_t c);
    std::string sortKey(std::string_view s) const;
    // The order of texts that collate equal: by their bytes with ASCII
    // letters folded to capitals, then by their exact bytes.
    static int compareTies(std::string_view a, std::string_view b);
    template <class Text>
    std::vector<std::uint32_t> orderOf(const std::vector<Text>& items);
    template <class Text>
    void sortByIcuKeys(const std::vector<Text>& items, std::vector<std::uint32_t>& rows) const;

    UCollator* collator_ = nullptr;
    bool keyable_ = false;  // the collation's settings allow per-character keys
    bool backwardSecondary_ = false;  // secondary weights compare from the end
    std::uint32_t commonSecondary_ = 0;
    std::vector<std::uint32_t> primary_;
    std::vector<std::uint64_t> secondaries_;  // 16 bits each, first in the top bits
    std::vector<char> afterDependent_;         // weights depend on the character before
    std::unordered_map<std::uint32_t, Weights> pairs_;
    std::unordered_map<std::uint32_t, char16_t> representatives_;
    // The key bytes of the last sort, kept for the next one up to a few
    // megabytes: pages fresh from the kernel cost more than keying.
    std::vector<unsigned char> keyBytes_;
};

// Makes the default locale's collation ready, its tables filled for the
// characters of common paths, and leaves it for the next thread that sorts:
// run at start-up on a thread of its own, it spares the first search of a
// session that cost.
void prepareCaseInsensitiveCollation();

// The order that sortCaseInsensitive gives items, as indexes into items.
std::vector<std::size_t> caseInsensitiveOrder(const std::vector<std::string_view>& items);
