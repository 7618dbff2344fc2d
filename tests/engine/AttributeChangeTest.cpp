// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "engine/IFileSystem.h"
#include "engine/PosixFileSystem.h"
#include "support/core/TestFiles.h"

namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Another program swaps the file for a link to a private file between the
// check and the change: the change goes to the file that was checked, the
// link's target keeps its mode.
TEST(AttributeChange, ReadOnlyActsOnTheFileCheckedNotOnWhatTookItsName) {
    const struct {
        mode_t before;
        bool readOnly;
        mode_t after;
    } cases[] = {{0444, false, 0644}, {0664, true, 0444}};
    for (const auto& c : cases) {
        TempDir dir;
        const std::string key = dir.write("key", "secret");
        ::chmod(key.c_str(), 0600);
        const std::string file = dir.write("file");
        ::chmod(file.c_str(), c.before);
        PosixFileSystem fs;
        fs.betweenCheckAndChange = [&](const std::string& path) {
            std::filesystem::rename(path, dir / "checked");
            std::filesystem::create_symlink(key, path);
        };
        fs.setAttribute(file, attr::ReadOnly, c.readOnly);
        EXPECT_EQ(modeOf(key), 0600u) << c.readOnly;
        EXPECT_EQ(modeOf(dir / "checked"), c.after) << c.readOnly;
    }
}

}  // namespace
