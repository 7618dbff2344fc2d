// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "FuzzCheck.h"
#include "Targets.h"

namespace fs = std::filesystem;

namespace {

class CorpusReplay : public testing::TestWithParam<NamedFuzzTarget> {};

TEST_P(CorpusReplay, EveryInputHoldsTheTargetsChecks) {
    const fs::path folder = fs::path(DORVAN_FUZZ_CORPUS) / GetParam().name;
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    int inputs = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        ++inputs;
        try {
            GetParam().run(bytes.str());
        } catch (const std::exception& e) {
            ADD_FAILURE() << entry.path().filename() << ": " << e.what();
        }
    }
    EXPECT_GT(inputs, 0);
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay, testing::ValuesIn(kFuzzTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
