// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Names and paths that trip up text handling: every command carries them
// byte for byte, and what cannot be done is reported, not half done.
#include "FaultFixture.h"
#include "rename/BulkRename.h"
#include "util/PathText.h"

namespace {

// name with its control and non-ASCII bytes escaped, for failure output.
std::string printable(const std::string& name) {
    std::string s;
    for (const unsigned char c : name) {
        if (c >= 0x20 && c < 0x7f) s += char(c);
        else s += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
    }
    return s.size() > 40 ? s.substr(0, 40) + "..." : s;
}

TEST_F(FaultTest, AwkwardNamesSurviveCopyMoveRenameTrashAndErase) {
    const std::string names[] = {"new\nline", "tab\there", "back\\slash", "-leading-dash", "--",
                                 "\xff\xfe \x83\x65\x83\x58\x83\x67.txt", " ",
                                 std::string(251, 'n') + ".txt"};
    int n = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(printable(name));
        const std::string at = "case" + std::to_string(++n);
        const std::string source = dir.write(at + "/src/" + name, "data " + name);
        const Report copied = copyMove(JobKind::Copy, {source}, dir / (at + "/copy"), Quiet);
        EXPECT_EQ(copied.statuses(), Statuses{Status::Done});
        expectTruthful(copied);
        const Report moved = copyMove(JobKind::Move, copied.targets, dir / (at + "/moved"), Quiet);
        EXPECT_EQ(moved.statuses(), Statuses{Status::Done});
        expectTruthful(moved);

        // A new extension, unless the longer name no longer fits.
        const std::string renamed = dir / (at + "/moved/" + extensionRule(".moved")(moved.targets[0]));
        const RenameCounts counts = ChangeExtensions(moved.targets, ".moved");
        const bool fits = fileNamePart(renamed).size() <= 255;
        EXPECT_EQ(counts.unhandled, fits ? 0 : 1);
        const std::string now = fits ? renamed : moved.targets[0];
        EXPECT_EQ(readFile(now), "data " + name);

        // The trash keeps a name of its own beside each item, 10 bytes
        // longer: the longest names cannot go there, and say so.
        fakeFileOpUi().errorAnswers = {IFileOpUi::ErrorChoice::Skip};
        const Report trashed = remove(JobKind::Trash, {now});
        EXPECT_EQ(trashed.statuses(), Statuses{fits ? Status::Done : Status::Failed});
        EXPECT_EQ(fakeFileOpUi().errorAnswers.empty(), !fits);
        expectTruthful(trashed);
        const Report erased = remove(JobKind::Erase, {source});
        EXPECT_EQ(erased.statuses(), Statuses{Status::Done});
        expectTruthful(erased);
    }
}

TEST_F(FaultTest, PathsOfFourThousandBytesAreCarriedLikeAnyOther) {
    std::string deep = "deep";
    while (dir.path().size() + deep.size() < 3800) deep += "/" + std::string(150, 'd');
    const std::size_t nameLength = 4000 - dir.path().size() - deep.size() - 2;
    const std::string source = dir.write(deep + "/" + std::string(nameLength, 'f'), "long");
    ASSERT_EQ(source.size(), 4000u);

    const Report out = copyMove(JobKind::Copy, {source}, dir / "short", Quiet);
    EXPECT_EQ(out.statuses(), Statuses{Status::Done});
    expectTruthful(out);
    const std::string back = dir.write("back/" + std::string(nameLength, 'g'), "back");
    const Report in = copyMove(JobKind::Move, {back}, dir / deep, Quiet);
    EXPECT_EQ(in.statuses(), Statuses{Status::Done});
    expectTruthful(in);
    const Report trashed = remove(JobKind::Trash, in.targets);
    expectTruthful(trashed);
    const Report erased = remove(JobKind::Erase, {source});
    EXPECT_EQ(erased.statuses(), Statuses{Status::Done});
    expectTruthful(erased);
}

}  // namespace
