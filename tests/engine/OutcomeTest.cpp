// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the engine tells about each listed item.
#include "EngineFixture.h"

namespace {

std::vector<ItemStatus> statuses(const JobOutcome& outcome) {
    std::vector<ItemStatus> s;
    for (const ItemOutcome& i : outcome.items) s.push_back(i.status);
    return s;
}

TEST_F(EngineTest, EveryItemSaysWhatBecameOfIt) {
    const std::string kept = dir.write("src/kept.txt", "new");
    const std::string copied = dir.write("src/copied.txt");
    dir.write("dst/kept.txt", "old");
    ui.overwriteAnswers = {Answer::No};
    EXPECT_NE(copy({kept, dir / "src/gone.txt", copied}, dir / "dst",
                   JobOption::Silent | JobOption::NoErrorUi),
              0);
    ASSERT_EQ(statuses(outcome),
              (std::vector<ItemStatus>{ItemStatus::Skipped, ItemStatus::Failed, ItemStatus::Done}));
    EXPECT_EQ(outcome.items[1].reason, ENOENT);
    EXPECT_EQ(readFile(dir / "dst/kept.txt"), "old");

    // Cancel at the first question: nothing after it is done.
    dir.write("dst/copied.txt");
    ui.overwriteAnswers = {Answer::Cancel};
    EXPECT_EQ(copy({copied, kept}, dir / "dst", JobOption::Silent), ECANCELED);
    EXPECT_EQ(statuses(outcome), (std::vector<ItemStatus>{ItemStatus::Cancelled, ItemStatus::Cancelled}));
}

}  // namespace
