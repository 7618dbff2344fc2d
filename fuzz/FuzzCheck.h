// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A property that a fuzz target checks did not hold. libFuzzer reports it as
// a crash; the corpus replay test reports it as a failure.
struct FuzzFailure : std::logic_error {
    using std::logic_error::logic_error;
};

#define FUZZ_STR2(x) #x
#define FUZZ_STR(x) FUZZ_STR2(x)
#define FUZZ_CHECK(cond)                                                                \
    do {                                                                                \
        if (!(cond)) throw FuzzFailure(__FILE__ ":" FUZZ_STR(__LINE__) ": " #cond);     \
    } while (0)

// data cut into count fields at the first count - 1 separators; fields past
// the end of data are empty.
inline std::vector<std::string_view> fuzzFields(std::string_view data, char separator,
                                                std::size_t count) {
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < count) {
        const std::size_t at = data.find(separator);
        if (at == std::string_view::npos) break;
        fields.push_back(data.substr(0, at));
        data.remove_prefix(at + 1);
    }
    fields.push_back(data);
    fields.resize(count);
    return fields;
}
