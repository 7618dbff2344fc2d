// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "app/CommandLineFiles.h"

namespace {

TEST(CommandLineFiles, ArgumentsBecomeFullPathsInOrder) {
    using Paths = std::vector<std::string>;
    struct Case {
        Paths args;
        std::string cwd;
        Paths files;
    } cases[] = {
        {{}, "/w", {}},
        {{"/a b/x.txt", "rel.txt", "./d/y", "", "-dash"}, "/w",
         {"/a b/x.txt", "/w/rel.txt", "/w/d/y", "/w/-dash"}},
        {{"x", "/abs"}, "/", {"/x", "/abs"}},
        {{"\xff\xfe.txt"}, "/w/", {"/w/\xff\xfe.txt"}},  // bytes kept as they are
        {{"lost", "/abs"}, "", {"/abs"}},                 // no current folder
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandLineFiles(c.args, c.cwd), c.files)
            << "cwd " << c.cwd << ", first argument " << (c.args.empty() ? "" : c.args[0]);
    }
}

}  // namespace
