// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/DateTimeText.h"

#include <algorithm>
#include <locale.h>

namespace {

// strftime in the user's LC_TIME, whatever locale the process set.
std::string formatted(const char* format, const std::tm& at) {
    locale_t locale = ::newlocale(LC_TIME_MASK, "", nullptr);
    if (!locale) locale = ::newlocale(LC_TIME_MASK, "C", nullptr);
    char text[128];
    const std::size_t n = locale ? ::strftime_l(text, sizeof text, format, &at, locale) : 0;
    if (locale) ::freelocale(locale);
    return std::string(text, n);
}

}  // namespace

std::string DateTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (!::localtime_r(&now, &local)) return "ExceptName";
    return DateTimeText(local);
}

std::string DateTimeText(const std::tm& local) {
    try {
        std::string text = formatted("%x", local);
        if (local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0)
            text += ' ' + formatted("%X", local);
        if (text.empty() || text == " ") return "ExceptName";
        std::replace(text.begin(), text.end(), ':', '_');
        std::replace(text.begin(), text.end(), '/', '_');
        return text;
    } catch (...) {
        return "ExceptName";
    }
}
