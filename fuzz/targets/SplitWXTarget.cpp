// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Delimiter splitter: the fields and the delimiters between them give the text back.
#include <string>

#include "FuzzCheck.h"
#include "Targets.h"
#include "util/SplitWX.h"

void fuzzSplitWX(std::string_view data) {
    const auto f = fuzzFields(data, '\0', 2);
    const std::string delimiters(f[0]), text(f[1]);
    TSplitWX splitter;
    const int n = splitter.Split(text, delimiters);
    FUZZ_CHECK(n > 0 && std::size_t(n) == splitter.Items.size());

    // The checks below split once per field: only for small delimiter sets,
    // which keeps a run at thousands of inputs a second.
    if (delimiters.size() > 16) return;
    std::size_t at = 0;
    for (std::size_t i = 0; i < splitter.Items.size(); ++i) {
        const std::string& item = splitter.Items[i];
        FUZZ_CHECK(text.compare(at, item.size(), item) == 0);
        at += item.size();
        // A field holds no delimiter: split again, it stays whole.
        TSplitWX inner;
        FUZZ_CHECK(inner.Split(item, delimiters) == 1);
        if (i + 1 == splitter.Items.size()) break;
        // Between two fields stands one whole delimiter character: the
        // longest piece there that splits into two empty fields.
        std::size_t taken = 0;
        for (std::size_t len = 4; len >= 1 && !taken; --len) {
            if (at + len > text.size()) continue;
            TSplitWX one;
            if (one.Split(text.substr(at, len), delimiters) == 2 && one.Items[0].empty() &&
                one.Items[1].empty())
                taken = len;
        }
        FUZZ_CHECK(taken > 0);
        at += taken;
    }
    FUZZ_CHECK(at == text.size());
}
