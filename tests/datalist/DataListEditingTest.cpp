// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "controls/PathListBox.h"
#include "datalist/DataListEditing.h"
#include "platform/MessageBoxIds.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

class DataListEditingTest : public PlatformTest {
protected:
    void fill(Rows rows, std::vector<int> selected = {}, int current = -1) {
        dataList.list()->setRows(std::move(rows));
        for (int row : selected) dataList.selectRow(row);
        dataList.setCurrentRow(current);
    }
    const Rows& rows() const { return dataList.list()->rows(); }

    PathListBox dataList{nullptr, true};
    PathListModel found;
};

TEST_F(DataListEditingTest, DeleteNeedsASelectionAndAYes) {
    DataDeleteExecute(dataList);  // empty: nothing at all
    EXPECT_TRUE(fakeDialogs().shown.empty());

    fill({"a", "b", "c"});
    DataDeleteExecute(dataList);
    fill({"a", "b", "c"}, {1});
    fakeDialogs().answers = {id::No};
    DataDeleteExecute(dataList);
    ASSERT_EQ(fakeDialogs().texts(), (QStringList{"選択されている行が見つかりませんでした。",
                                                  "選択されている行をリストから削除します。"}));
    EXPECT_EQ(fakeDialogs().shown[1].flags, mb::YesNo);
    EXPECT_EQ(rows(), (Rows{"a", "b", "c"}));
}

TEST_F(DataListEditingTest, DeleteSelectsTheRowThatTookTheFirstPlace) {
    struct Case {
        Rows rows;
        std::vector<int> selected;
        Rows left;
        int selectedAfter;  // -1: none
    };
    const Case cases[] = {
        {{"0", "1", "2", "3", "4", "5"}, {2, 4}, {"0", "1", "3", "5"}, 2},
        {{"0", "1", "2", "3"}, {2, 3}, {"0", "1"}, 1},
        {{"0", "1", ""}, {0, 1, 2}, {}, -1},
    };
    for (const Case& c : cases) {
        fill(c.rows, c.selected);
        fakeDialogs().answers = {id::Yes};
        DataDeleteExecute(dataList);
        EXPECT_EQ(rows(), c.left);
        EXPECT_EQ(dataList.selectedRows(),
                  c.selectedAfter < 0 ? std::vector<int>{} : std::vector<int>{c.selectedAfter});
    }
}

TEST_F(DataListEditingTest, TransferReplacesTheDataListWithTheFoundFiles) {
    fill({"old"});
    FileListTranslateExecute(found, dataList);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"ファイルデータがありませんよ。"});
    EXPECT_EQ(rows(), Rows{"old"});

    found.setRows({"/f/x.txt", "/f/y.txt"});
    FileListTranslateExecute(found, dataList);
    EXPECT_EQ(rows(), (Rows{"/f/x.txt", "/f/y.txt"}));
    EXPECT_EQ(dataList.currentRow(), 0);
    EXPECT_TRUE(dataList.selectedRows().empty());
}

TEST_F(DataListEditingTest, SortDropsTheSelectionAndKeepsTheCurrentNumber) {
    fill({"c", "B", "a", "b"}, {0, 1}, 3);
    SortDataListExecute(dataList);
    EXPECT_EQ(rows(), (Rows{"a", "B", "b", "c"}));
    EXPECT_TRUE(dataList.selectedRows().empty());
    EXPECT_EQ(dataList.currentRow(), 3);
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(DataListEditingTest, DuplicatesDifferOnlyInAsciiCase) {
    DeleteSameDataExecute(dataList);
    fill({"/d/b.TXT", "/d/a.txt", "/d/B.txt"}, {}, 2);
    DeleteSameDataExecute(dataList);
    // The sort puts "B.txt" before "b.TXT"; the first of the run stays.
    EXPECT_EQ(rows(), (Rows{"/d/a.txt", "/d/B.txt"}));
    EXPECT_EQ(dataList.currentRow(), 1);

    // Full-width and half-width forms, and non-ASCII case, are different.
    fill({"/d/\xef\xbc\xa1", "/d/\xc3\xa9", "/d/A", "/d/\xc3\x89"});
    DeleteSameDataExecute(dataList);
    ASSERT_EQ(rows().size(), 4u);
    EXPECT_EQ(rows().front(), "/d/A");  // sorted all the same

    // A kana variant that collates equal stands outside the run of the two.
    fill({"/写真/aあ.jpg", "/写真/Aア.jpg", "/写真/Aあ.jpg"});
    DeleteSameDataExecute(dataList);
    EXPECT_EQ(rows(), (Rows{"/写真/Aあ.jpg", "/写真/Aア.jpg"}));
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"データがありませんよ!", "1個のデータが重複していました。",
                           "重複データはありませんでした。", "1個のデータが重複していました。"}));
}

TEST_F(DataListEditingTest, RemoveCaseDuplicatesKeepsTheFirstOfEachRun) {
    Rows sorted = {"a", "A", "a", "ab", "AB", "b", "b"};
    EXPECT_EQ(RemoveCaseDuplicates(sorted), 4);
    EXPECT_EQ(sorted, (Rows{"a", "ab", "b"}));
}

TEST_F(DataListEditingTest, SelectAllKeepsTheCurrentRowInView) {
    SelectAllDataListExecute(dataList);
    EXPECT_TRUE(dataList.selectedRows().empty());

    Rows many;
    for (int i = 0; i < 2000; ++i) many.push_back("/r/" + std::to_string(i));
    fill(many, {}, 1500);
    dataList.resize(200, 100);
    SelectAllDataListExecute(dataList);
    EXPECT_EQ(dataList.selectedRows().size(), 2000u);
    EXPECT_EQ(dataList.currentRow(), 1500);
    EXPECT_TRUE(dataList.viewport()->rect().intersects(dataList.visualRect(dataList.model()->index(1500, 0))));
}

TEST_F(DataListEditingTest, ClearEmptiesWithoutAsking) {
    fill({"a", "b"}, {0});
    ClearDataListExecute(dataList);
    EXPECT_EQ(dataList.count(), 0);
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

}  // namespace
