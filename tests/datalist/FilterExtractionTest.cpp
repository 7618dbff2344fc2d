// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QWidget>
#include <gtest/gtest.h>

#include "controls/PathListBox.h"
#include "datalist/FilterExtraction.h"
#include "filters/FilterList.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

class FilterExtractionTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        window.setWindowTitle(QStringLiteral("Dorvanquellis"));
        QObject::connect(&window, &QWidget::windowTitleChanged,
                         [this](const QString& title) { captions << title; });
    }
    void check(std::vector<FilterEntry> entries) { filters.setEntries(std::move(entries)); }
    void extract(Rows rows) {
        dataList.list()->setRows(std::move(rows));
        DoFilterDataListExecute(
            dataList, filters,
            {[this] { return window.windowTitle(); },
             [this](const QString& text) { window.setWindowTitle(text); }});
    }
    const Rows& rows() const { return dataList.list()->rows(); }

    PathListBox dataList{nullptr, true};
    FilterList filters;
    QWidget window;
    QStringList captions;
};

TEST_F(FilterExtractionTest, CheckedFiltersLeaveOutTheFirstEntry) {
    check({{"*.*", true}, {"*.txt", false}, {"*.m3u", true}, {"*.jpg;*.png", true}});
    EXPECT_EQ(CheckedFiltersText(filters), "*.m3u;*.jpg;*.png");
    check({{"*.*", true}});
    EXPECT_EQ(CheckedFiltersText(filters), "");
}

TEST_F(FilterExtractionTest, NothingToExtractOrNoFilterBelowTheAnyFileFilter) {
    extract({});
    check({{"*.*", true}, {"*.txt", false}});
    extract({"/a.txt", "/b.jpg"});
    EXPECT_EQ(rows(), (Rows{"/a.txt", "/b.jpg"}));
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{"抽出するデータがありません。",
                                                  "''*,*''以外のフィルタが設定されていません。"}));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dorvanquellis"));
}

TEST_F(FilterExtractionTest, KeepsTheCheckedExtensionsInAnyCase) {
    check({{"*.*", true}, {"*.txt", true}});
    extract({"/d/A.TXT", "/d/README", "/d/name.", "/d/dir.old/file", "/d/b.Txt", "/d/c.jpg",
             "/d/c.txt", "/d/x.txt.bak"});
    EXPECT_EQ(rows(), (Rows{"/d/A.TXT", "/d/b.Txt", "/d/c.txt"}));
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"3個のファイルを抽出しました。"});
}

// Blanks a filter keeps next to its ";" name no extension of their own, and
// ".xt" is no part of ".txt".
TEST_F(FilterExtractionTest, WholeExtensionsCountBlanksAroundTheSeparatorDoNot) {
    check({{"*.*", false}, {"*.txt ;*.m3u", true}});
    extract({"/a.txt", "/b.m3u", "/c.xt"});
    EXPECT_EQ(rows(), (Rows{"/a.txt", "/b.m3u"}));
}

TEST_F(FilterExtractionTest, CaptionShowsEveryHundredthIndexAndComesBack) {
    check({{"*.*", false}, {"*.jpg", true}});
    extract(Rows(250, "/x.txt"));
    EXPECT_EQ(captions, (QStringList{"抽出中: 200", "抽出中: 100", "抽出中: 0", "Dorvanquellis"}));
    EXPECT_EQ(dataList.count(), 0);
    EXPECT_TRUE(fakeDialogs().shown.empty());  // nothing left, nothing said
}

}  // namespace
