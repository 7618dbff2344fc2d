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

    std::size_t at = 0;
    for (std::size_t i = 0; i < splitter.Items.size(); ++i) {
        const std::string& item = splitter.Items[i];
        FUZZ_CHECK(text.compare(at, item.size(), item) == 0);
        at += item.size();
        // A field holds no delimiter: split again, it stays whole.
        TSplitWX inner;
        FUZZ_CHECK(inner.Split(item, delimiters) == 1);
        if (i + 1 == splitter.Items.size()) break;
        // Between two fields stands one whole delimiter character.
        std::size_t taken = 0;
        for (std::size_t len = 1; len <= 4 && at + len <= text.size() && !taken; ++len) {
            const std::string ch = text.substr(at, len);
            TSplitWX one;
            if (delimiters.find(ch) != std::string::npos && one.Split(ch, delimiters) == 2) taken = len;
        }
        FUZZ_CHECK(taken > 0);
        at += taken;
    }
    FUZZ_CHECK(at == text.size());
}
