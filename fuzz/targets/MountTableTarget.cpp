// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Mount table: entries survive the kernel's escaping; volume rules take any entry.
#include <cstdio>
#include <string>
#include <vector>

#include <glib.h>

#include "FuzzCheck.h"
#include "Targets.h"
#include "platform/linux/MountTable.h"

namespace {

// A field as the kernel writes it into mountinfo: " \t\n\\" as octal escapes.
std::string escaped(const std::string& field) {
    std::string out;
    for (char c : field) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            char code[5];
            std::snprintf(code, sizeof code, "\\%03o", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

bool sameEntry(const MountEntry& a, const MountEntry& b) {
    return a.mountPoint == b.mountPoint && a.fsType == b.fsType && a.source == b.source &&
           a.root == b.root;
}

}  // namespace

void fuzzMountTable(std::string_view data) {
    // GIO's warnings about bad arguments are faults here too.
    static const GLogLevelFlags fatal =
        g_log_set_always_fatal(GLogLevelFlags(G_LOG_FATAL_MASK | G_LOG_LEVEL_CRITICAL));
    (void)fatal;
    const std::string text(data);
    const std::vector<MountEntry> entries = parseMountInfo(text);

    std::string table;
    for (const MountEntry& e : entries) {
        FUZZ_CHECK(!e.mountPoint.empty() && !e.fsType.empty() && !e.source.empty() && !e.root.empty());
        table += "36 35 98:0 " + escaped(e.root) + " " + escaped(e.mountPoint) +
                 " rw,noatime master:1 - " + escaped(e.fsType) + " " + escaped(e.source) + " rw\n";
    }
    const std::vector<MountEntry> again = parseMountInfo(table);
    FUZZ_CHECK(again.size() == entries.size());
    for (std::size_t i = 0; i < again.size(); ++i) FUZZ_CHECK(sameEntry(again[i], entries[i]));

    MountViewer viewer{"/home/u", "u", data.size() % 2 == 1,
                       [](const std::string& path) { return path.size() % 3 != 0; }};
    const std::vector<MountEntry> shown = shownVolumes(entries, viewer);
    std::size_t roots = 0;
    for (const MountEntry& e : shown) {
        roots += e.mountPoint == "/";
        (void)isUserVolume(e);
        (void)driveTypeOf(e, true);
    }
    FUZZ_CHECK(roots == 1);

    // Names of /dev/disk links and file-system UUIDs come from outside too.
    FUZZ_CHECK(decodeUdevName(text).size() <= text.size());
    (void)serialFromUuid(text);
}
