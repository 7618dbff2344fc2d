#include "util/Collation.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

namespace {

struct CollatorCloser {
    void operator()(UCollator* c) const { ucol_close(c); }
};

UCollator* collator() {
    thread_local std::unique_ptr<UCollator, CollatorCloser> instance = [] {
        // The POSIX locale's tailoring orders by ASCII code; use the root
        // collation there instead.
        const std::string locale = uloc_getDefault();
        const bool posix = locale == "en_US_POSIX" || locale == "c" || locale.empty();
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open(posix ? "" : locale.c_str(), &status);
        if (U_FAILURE(status) || !c) {
            status = U_ZERO_ERROR;
            c = ucol_open("", &status);
        }
        ucol_setStrength(c, UCOL_SECONDARY);
        return std::unique_ptr<UCollator, CollatorCloser>(c);
    }();
    return instance.get();
}

std::u16string toUtf16(std::string_view s) {
    std::u16string out(s.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), int32_t(out.size()), &length,
                         s.data(), int32_t(s.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? std::size_t(length) : 0);
    return out;
}

// Built in a scratch buffer, so that each key takes only the bytes it needs.
std::string sortKey(std::string_view s) {
    const std::u16string u = toUtf16(s);
    const auto* text = reinterpret_cast<const UChar*>(u.data());
    thread_local std::vector<uint8_t> scratch;
    if (scratch.size() < u.size() * 4 + 16) scratch.resize(u.size() * 4 + 16);
    int32_t n = ucol_getSortKey(collator(), text, int32_t(u.size()), scratch.data(), int32_t(scratch.size()));
    if (n > int32_t(scratch.size())) {
        scratch.resize(std::size_t(n));
        n = ucol_getSortKey(collator(), text, int32_t(u.size()), scratch.data(), int32_t(scratch.size()));
    }
    // Without the terminating zero.
    return std::string(reinterpret_cast<const char*>(scratch.data()), n > 0 ? std::size_t(n) - 1 : 0);
}

}  // namespace

int compareCaseInsensitive(const std::string& a, const std::string& b) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(collator(), a.data(), int32_t(a.size()),
                                                b.data(), int32_t(b.size()), &status);
    if (U_SUCCESS(status) && r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool lessCaseInsensitive(const std::string& a, const std::string& b) {
    return compareCaseInsensitive(a, b) < 0;
}

std::vector<std::size_t> caseInsensitiveOrder(const std::vector<std::string_view>& items) {
    std::vector<std::string> keys(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) keys[i] = sortKey(items[i]);
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        const int c = keys[x].compare(keys[y]);
        return c != 0 ? c < 0 : items[x] < items[y];
    });
    return order;
}

void sortCaseInsensitive(std::vector<std::string>& items) {
    if (items.size() < 2) return;
    const std::vector<std::size_t> order =
        caseInsensitiveOrder(std::vector<std::string_view>(items.begin(), items.end()));
    std::vector<std::string> sorted;
    sorted.reserve(items.size());
    for (std::size_t i : order) sorted.push_back(std::move(items[i]));
    items = std::move(sorted);
}
