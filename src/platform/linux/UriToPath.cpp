// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GIO only: this file includes no Qt header.
#include "platform/linux/UriToPath.h"

#include <glib.h>

std::vector<std::string> localPathsFromUriList(const std::string& uriList) {
    std::vector<std::string> paths;
    std::size_t pos = 0;
    while (pos < uriList.size()) {
        std::size_t end = uriList.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = uriList.size();
        std::string line = uriList.substr(pos, end - pos);
        pos = end + 1;
        // A NUL would end the URI early and name another file.
        if (line.empty() || line[0] == '#' || line.find('\0') != std::string::npos) continue;
        gchar* file = g_filename_from_uri(line.c_str(), nullptr, nullptr);
        if (file) {
            paths.emplace_back(file);
            g_free(file);
        }
    }
    return paths;
}
