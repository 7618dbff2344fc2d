// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "controls/FolderFiles.h"
#include "filters/FilterCheckListView.h"
#include "filters/FilterCommands.h"
#include "filters/FilterDrag.h"
#include "filters/FilterList.h"
#include "platform/MessageBoxIds.h"
#include "support/TestEnvironment.h"

namespace {

using Entries = std::vector<FilterEntry>;
using Names = std::vector<std::string>;

const QString kOneAtLeast = QStringLiteral("１つ以上選択してください");

class FilterCommandsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        for (const char* name : {"a.txt", "b.M3U", "c.pls", "d"}) dir.write(name);
        files.setDirectory(dir.path());
        files.setMask("*.txt");
        view.setModel(&filters);
        use({{"*.*", false}, {"*.txt", true}});
    }
    void use(Entries entries, int current = -1) {
        filters.setEntries(std::move(entries));
        view.setCurrentIndex(current < 0 ? QModelIndex() : filters.index(current));
    }
    int current() const { return view.currentIndex().isValid() ? view.currentIndex().row() : -1; }
    // Adds (or edits row) with the user's scripted answer; nullopt cancels.
    void push(int row, std::optional<QString> answer) {
        fakeDialogs().inputs = {answer};
        FilterPushExecute(context, row);
    }

    TempDir dir;
    FolderFiles files;
    FilterList filters;
    FilterCheckListView view;
    FilterContext context{filters, view, files};
};

TEST_F(FilterCommandsTest, AddAsksWithItsPromptAndRefusesWithEveryMessage) {
    struct Case { std::optional<QString> answer; QString message; };
    const Case cases[] = {
        {QStringLiteral("*.TXT"), QStringLiteral("*.txt は既に登録されています。\r\n(Index = 2)")},
        {QStringLiteral("*.*"), QStringLiteral("*.* は既に登録されています。\r\n(Index = 1)")},
        {QStringLiteral(";*.M3U"), QStringLiteral(";*.m3u はフィルタとして不適切です。")},
        {QStringLiteral("*.Tar.gz"), QStringLiteral("*.tar.gz はフィルタとして不適切です。")},
        {QStringLiteral("  *.  "), QString()},
        {QStringLiteral("あ"), QString()},  // two characters or fewer, whatever their bytes
        {std::nullopt, QString()},
    };
    for (const Case& c : cases) {
        fakeDialogs().reset();
        push(0, c.answer);
        SCOPED_TRACE(c.answer.value_or("cancel").toStdString());
        const FakeDialogs::Shown& asked = fakeDialogs().shown.at(0);
        EXPECT_EQ(asked.kind, FakeDialogs::Kind::AskText);
        EXPECT_EQ(asked.text, QStringLiteral("例1)*.txt     例2)*.txt;*.m3u"));
        EXPECT_EQ(asked.caption, QStringLiteral("フィルタの追加"));
        EXPECT_EQ(asked.flags, 1) << "caret after the default";
        EXPECT_EQ(fakeDialogs().lastDefault, QStringLiteral("*."));
        EXPECT_EQ(fakeDialogs().texts().mid(1),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(filters.count(), 2);
    }
}

TEST_F(FilterCommandsTest, AddStoresTheTextTrimmedAndLowerCaseAtTheEndUnchecked) {
    push(0, QStringLiteral(" *.M3U ; *.Pls\t"));
    push(0, QStringLiteral("*.m3u;*.pls"));  // not the same text as the first
    EXPECT_EQ(filters.entries(), (Entries{{"*.*", false}, {"*.txt", true},
                                          {"*.m3u ; *.pls", false}, {"*.m3u;*.pls", false}}));
    EXPECT_TRUE(fakeDialogs().texts().filter(QStringLiteral("登録")).isEmpty());
    EXPECT_EQ(files.mask(), "*.txt") << "the mask follows at the next click";
}

TEST_F(FilterCommandsTest, EditReplacesInPlaceUncheckedAndIgnoresSameTextsAndCancel) {
    use({{"*.*", false}, {"*.txt", false}, {"*.m3u", true}, {"*.pls", false}}, 2);
    for (const auto& answer : {std::optional<QString>(QStringLiteral("*.PLS")),
                               std::optional<QString>(QStringLiteral("*.m3u")),
                               std::optional<QString>()}) {
        fakeDialogs().inputs = {answer};
        FilterEditExecute(context);
        EXPECT_EQ(filters.at(2), (FilterEntry{"*.m3u", true}));
    }
    EXPECT_EQ(fakeDialogs().lastDefault, QStringLiteral("*.m3u"));
    EXPECT_EQ(fakeDialogs().shown.size(), 3u) << "three dialogs, no message";
    push(2, QStringLiteral("*.mp3"));
    EXPECT_EQ(filters.at(2), (FilterEntry{"*.mp3", false}));
    ASSERT_FALSE(fakeDialogs().shown.empty());
    EXPECT_EQ(fakeDialogs().shown.back().caption, QStringLiteral("フィルタの編集"));
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(files.mask(), "*.txt");
    fakeDialogs().reset();
    for (int index : {1, -1}) FilterPushExecute(context, index);  // not even asked
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(FilterCommandsTest, EditAndDeleteSayWhyThereIsNothingToActOn) {
    const QString third = QStringLiteral("上から3番目以下のフィルタを選択してください。");
    struct Case { int count; int current; QString edit; QString remove; };
    const Case cases[] = {
        {3, -1, QStringLiteral("編集するフィルタが選択されていません。"),
         QStringLiteral("削除するフィルタが選択されていません。")},
        {2, 1, QStringLiteral("デフォルトのフィルタは編集できません。"),
         QStringLiteral("デフォルトのフィルタは削除できません。")},
        {2, 0, QStringLiteral("デフォルトのフィルタは編集できません。"),
         QStringLiteral("デフォルトのフィルタは削除できません。")},
        {3, 1, third, third},
    };
    for (const Case& c : cases) {
        Entries entries{{"*.*", false}, {"*.txt", true}, {"*.m3u", false}};
        entries.resize(std::size_t(c.count));
        use(entries, c.current);
        fakeDialogs().reset();
        FilterEditExecute(context);
        FilterDeleteExecute(context);
        EXPECT_EQ(fakeDialogs().texts(), (QStringList{c.edit, c.remove})) << c.count << c.current;
        EXPECT_EQ(fakeDialogs().shown.at(0).caption, QStringLiteral("  確認"));
        EXPECT_EQ(filters.entries(), entries);
    }
}

TEST_F(FilterCommandsTest, DeleteRemovesTheCurrentUserFilterOnlyOnYes) {
    use({{"*.*", false}, {"*.txt", false}, {"*.m3u", true}, {"*.pls", false}}, 2);
    files.setMask("*.m3u");
    fakeDialogs().answers = {id::No, id::Yes};
    FilterDeleteExecute(context);
    EXPECT_EQ(filters.count(), 4);
    FilterDeleteExecute(context);
    EXPECT_EQ(filters.entries(), (Entries{{"*.*", false}, {"*.txt", false}, {"*.pls", false}}));
    ASSERT_EQ(fakeDialogs().texts(), QStringList(2, QStringLiteral("選択されているフィルタを削除します。")));
    EXPECT_EQ(fakeDialogs().shown[0].flags & mb::ButtonMask, mb::YesNo);
    EXPECT_EQ(files.mask(), "*.m3u") << "the mask follows at the next click";
}

TEST_F(FilterCommandsTest, AClickTogglesItsEntryAndTheLeftFilesFollowTheMarks) {
    use({{"*.*", true}, {"*.txt", false}, {"*.m3u", true}}, 0);
    FilterCheckListBoxClick(context, FilterClickSender::List);
    EXPECT_EQ(files.mask(), "*.*");
    EXPECT_EQ(files.names(), (Names{"a.txt", "b.M3U", "c.pls", "d"}));
    FilterCheckListBoxClickAt(context, 0);
    EXPECT_EQ(files.mask(), "*.m3u");
    EXPECT_EQ(files.names(), Names{"b.M3U"});
    FilterCheckListBoxClickAt(context, 1);
    EXPECT_EQ(files.mask(), "*.txt;*.m3u");
    FilterCheckListBoxClickAt(context, -1);  // below the entries: the rule alone
    EXPECT_EQ(files.names(), (Names{"a.txt", "b.M3U"}));
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(FilterCommandsTest, WithNothingCheckedAMarkComesBackAndTheMaskStays) {
    use({{"*.*", false}, {"*.txt", false}, {"*.m3u", true}}, 2);
    files.setMask("*.m3u");
    FilterCheckListBoxClickAt(context, 2);
    EXPECT_TRUE(filters.at(2).checked);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{kOneAtLeast});
    // A command is not told; with no current row the first entry is checked.
    use({{"*.*", false}, {"*.txt", false}});
    FilterCheckListBoxClick(context, FilterClickSender::Command);
    EXPECT_EQ(filters.entries(), (Entries{{"*.*", true}, {"*.txt", false}}));
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(files.mask(), "*.m3u");
    // A list too short is rebuilt, and the mask follows its marks.
    use({{"*.*", false}});
    FilterCheckListBoxClick(context, FilterClickSender::List);
    EXPECT_EQ(filters.entries(), (Entries{{"*.*", true}, {"*.txt", false}}));
    EXPECT_EQ(files.mask(), "*.*");
}

TEST_F(FilterCommandsTest, ReverseAndClearSetTheMarksAndTheMaskSilently) {
    struct Case {
        void (*command)(const FilterContext&);
        Entries before, after;
        std::string mask;
    };
    const Case cases[] = {
        {FilterReverseExecute,
         {{"*.*", false}, {"*.txt", true}, {"*.m3u", false}, {"*.pls", false}},
         {{"*.*", false}, {"*.txt", false}, {"*.m3u", true}, {"*.pls", true}}, "*.m3u;*.pls"},
        {FilterReverseExecute, {{"*.*", false}, {"*.txt", true}},
         {{"*.*", true}, {"*.txt", false}}, "*.*"},
        {FilterReverseExecute, {{"*.*", true}, {"*.txt", false}, {"*.m3u", true}},
         {{"*.*", true}, {"*.txt", true}, {"*.m3u", false}}, "*.*"},
        {FilterReverseExecute, {{"*.*", false}}, {{"*.*", false}}, "*.doc"},
        {FilterClearExecute, {{"*.*", true}, {"*.txt", false}, {"*.m3u", true}},
         {{"*.*", false}, {"*.txt", true}}, "*.txt"},
    };
    for (const Case& c : cases) {
        use(c.before, int(c.before.size()) - 1);
        files.setMask("*.doc");
        c.command(context);
        EXPECT_EQ(filters.entries(), c.after);
        EXPECT_EQ(files.mask(), c.mask);
    }
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(FilterCommandsTest, DraggingExchangesOnlyUserFiltersAndADoubleClickAdds) {
    const Entries start{
        {"*.*", false}, {"*.txt", true}, {"*.a", true}, {"*.b", false}, {"*.c", false}};
    FilterDragState drag;
    use(start, 1);
    FilterCheckListBoxMouseDown(drag, context, false);
    FilterCheckListBoxMouseMove(drag, context, 3);
    EXPECT_EQ(filters.entries(), start) << "a built-in filter is not dragged";
    use(start, 3);
    FilterCheckListBoxMouseDown(drag, context, false);
    for (int target : {3, 1, 0, -1, 5}) FilterCheckListBoxMouseMove(drag, context, target);
    EXPECT_EQ(filters.entries(), start);
    FilterCheckListBoxMouseMove(drag, context, 2);
    FilterCheckListBoxMouseMove(drag, context, 4);  // a fast move: one exchange each
    EXPECT_EQ(filters.entries(), (Entries{{"*.*", false}, {"*.txt", true}, {"*.c", false},
                                          {"*.a", true}, {"*.b", false}}));
    EXPECT_EQ(current(), 4);
    FilterCheckListBoxMouseUp(drag);
    FilterCheckListBoxMouseMove(drag, context, 2);
    EXPECT_EQ(filters.at(4).text, "*.b") << "no drag after the button is up";
    // A double click adds a filter wherever it lands, a user filter's row too.
    fakeDialogs().inputs = {QStringLiteral("*.m3u"), QStringLiteral("*.pls")};
    FilterCheckListBoxMouseDown(drag, context, true);
    EXPECT_EQ(filters.at(5), (FilterEntry{"*.m3u", false}));
    EXPECT_FALSE(drag.dragging);
    FilterCheckListBoxMouseDown(drag, context, true);
    EXPECT_EQ(filters.at(2).text, "*.c");
    EXPECT_EQ(filters.at(6), (FilterEntry{"*.pls", false}));
}

}  // namespace
