#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The locale's collation ignoring case; entries that compare equal are then
// ordered by their exact bytes, so exact duplicates stand next to each other.
// Bytes that are not UTF-8 collate as U+FFFD. Safe to call from any thread.
int compareCaseInsensitive(const std::string& a, const std::string& b);
bool lessCaseInsensitive(const std::string& a, const std::string& b);
void sortCaseInsensitive(std::vector<std::string>& items);
// The order that sortCaseInsensitive gives items, as indexes into items.
std::vector<std::size_t> caseInsensitiveOrder(const std::vector<std::string_view>& items);
