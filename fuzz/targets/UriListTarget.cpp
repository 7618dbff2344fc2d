// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// text/uri-list payloads of drops: each path is the whole decoding of one line.
#include <string>
#include <vector>

#include <glib.h>

#include "FuzzCheck.h"
#include "Targets.h"
#include "platform/linux/UriToPath.h"

void fuzzUriList(std::string_view data) {
    const std::vector<std::string> paths = localPathsFromUriList(std::string(data));

    std::vector<std::string> expected;
    for (std::string_view rest = data; !rest.empty();) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        const std::string line(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (line.empty() || line[0] == '#' || line.find('\0') != std::string::npos) continue;
        if (gchar* file = g_filename_from_uri(line.c_str(), nullptr, nullptr)) {
            expected.emplace_back(file);
            g_free(file);
        }
    }
    FUZZ_CHECK(paths == expected);

    // A path comes back from the URI a file manager would send for it.
    for (const std::string& path : paths) {
        FUZZ_CHECK(!path.empty() && path[0] == '/');
        gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
        FUZZ_CHECK(uri != nullptr);
        const std::vector<std::string> back = localPathsFromUriList(std::string(uri) + "\r\n");
        g_free(uri);
        FUZZ_CHECK(back == std::vector<std::string>{path});
    }
}
