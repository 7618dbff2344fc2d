// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <set>

#include <gtest/gtest.h>

#include "rename/RenamePlan.h"

namespace {

using Paths = std::vector<std::string>;
using Step = PlannedName::Step;

struct SerialCase {
    std::string base;
    std::size_t count;
    std::string first, last;
};

class SerialNames : public ::testing::TestWithParam<SerialCase> {};

TEST_P(SerialNames, RunFromTheBaseWithTheWidthRule) {
    const SerialCase& c = GetParam();
    const NameRule rule = serialNameRule(splitBaseName(c.base), c.count);
    Paths names;
    for (std::size_t i = 0; i < c.count; ++i) names.push_back(rule("/p/f"));
    EXPECT_EQ(names.front(), c.first);
    EXPECT_EQ(names.back(), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Bases, SerialNames,
    ::testing::Values(SerialCase{"A001", 3, "A001", "A003"}, SerialCase{"Photo", 2, "Photo001", "Photo002"},
                      SerialCase{"B9", 15, "B09", "B23"}, SerialCase{"A1", 9, "A01", "A09"},
                      SerialCase{"2003", 3, "2003", "2005"}, SerialCase{"x0", 10, "x00", "x09"},
                      SerialCase{"A99999999999", 2, "A001", "A002"},
                      SerialCase{"写真１", 2, "写真１001", "写真１002"},
                      // Past the 32-bit range the numbers grow on, never negative.
                      SerialCase{"N2147483647", 2, "N2147483647", "N2147483648"}));

TEST(ExtensionRule, ReplacesFromTheLastDotAndKeepsAnEqualOneIgnoringCase) {
    const struct {
        std::string path, extension, name;
    } cases[] = {{"/p/a.txt", ".TXT", "a.txt"}, {"/p/a", ".jpg", "a.jpg"},
                 {"/p/a.", ".jpg", "a.jpg"},    {"/p/a.b.c", ".x", "a.b.x"},
                 {"/p.d/a", ".x", "a.x"}};
    for (const auto& c : cases) EXPECT_EQ(extensionRule(c.extension)(c.path), c.name) << c.path;
}

// A file system of a few paths; the plan must see its own renames.
class PlanRenames : public ::testing::Test {
protected:
    std::vector<PlannedName> plan(const Paths& paths, const NameRule& rule) {
        return planRenames(paths, rule,
                           {[this](const std::string& p) { return files.count(p) > 0; },
                            [this](const std::string& p) { return files.count(p) > 0 || p == "/p/dir"; }});
    }
    static std::vector<Step> steps(const std::vector<PlannedName>& plan) {
        std::vector<Step> s;
        for (const auto& p : plan) s.push_back(p.step);
        return s;
    }
    std::set<std::string> files;
};

TEST_F(PlanRenames, NamesFreedEarlierAreReusedAndTakenOnesGetACounter) {
    files = {"/p/A002.txt", "/p/b.txt", "/p/A001.jpg", "/p/c.jpg"};
    const auto p = plan({"/p/A002.txt", "/p/b.txt", "/p/c.jpg", "/p/A001.jpg"},
                        serialNameRule({"A", "001"}, 4));
    ASSERT_EQ(steps(p), (std::vector<Step>{Step::Rename, Step::Rename, Step::Rename, Step::Rename}));
    EXPECT_EQ(p[0].target, "/p/A001.txt");
    EXPECT_EQ(p[1].target, "/p/A002.txt");  // freed by the first rename
    EXPECT_EQ(p[2].target, "/p/A003.jpg");
    EXPECT_EQ(p[3].target, "/p/A004.jpg");
}

TEST_F(PlanRenames, AKeptEntryTakesItsNumberAndARepeatedOneIsGone) {
    files = {"/p/A001.txt", "/p/b.txt", "/p/A002.txt"};
    const auto p = plan({"/p/A001.txt", "/p/b.txt", "/p/b.txt", "/p/x"}, serialNameRule({"A", "001"}, 4));
    ASSERT_EQ(steps(p), (std::vector<Step>{Step::Keep, Step::Rename, Step::Missing, Step::Missing}));
    EXPECT_EQ(p[1].target, "/p/A002_01.txt");
}

TEST_F(PlanRenames, AFolderTakesANameAndANameOutsideTheFolderEndsThePlan) {
    files = {"/p/a", "/p/b", "/p/c.x"};
    EXPECT_EQ(plan({"/p/a"}, [](const std::string&) { return std::string("dir"); })[0].target, "/p/dir_01");
    for (const std::string& bad : Paths{"../q", "x/y", "", "..", std::string("a\0b", 3)})
        EXPECT_EQ(steps(plan({"/p/c.x", "/p/a", "/p/b"}, [bad](const std::string&) { return bad; })),
                  std::vector<Step>{Step::Fail});
}

}  // namespace
