// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "filters/FilterCheckListView.h"
#include "filters/FilterList.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "platform/HelpKey.h"
#include "settings/SettingForm.h"
#include "support/TestEnvironment.h"

namespace {

class MainWindowTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        form = std::make_unique<TCopyForm>();
    }
    void TearDown() override { form.reset(); }

    // One line per menu entry: captions indented by depth, "|" for separators,
    // "[hidden]" and "[disabled]" marks.
    static void describe(const QMenu* menu, int depth, QStringList& out) {
        for (QAction* a : menu->actions()) {
            QString line = QString(depth * 2, ' ');
            line += a->isSeparator() ? QStringLiteral("|") : a->text();
            if (!a->isVisible()) line += QStringLiteral(" [hidden]");
            if (a->isVisible() && !a->isEnabled()) line += QStringLiteral(" [disabled]");
            out << line;
            if (a->menu()) describe(a->menu(), depth + 1, out);
        }
    }
    QStringList menuLines(const char* name) const {
        QStringList out;
        describe(form->findChild<QMenu*>(QString::fromLatin1(name)), 0, out);
        return out;
    }

    std::unique_ptr<TCopyForm> form;
};

TEST_F(MainWindowTest, EveryActionHasItsCaptionAndCategory) {
    const QStringList expected = {
        "FileErase 一括消去(&E) FileOperation", "FileDelete 一括削除(&D) FileOperation",
        "FileMove 一括移動(&M) FileOperation", "FileCopy 一括コピー(&C) FileOperation",
        "FolderDelete 削フォルダ(&R) FileOperation", "FolderErase 消フォルダ(&E) FileOperation",
        "DirectorySetLeft 左に合わせる(&L) DirectoryListBox",
        "DirectorySetRight 右に合わせる(&R) DirectoryListBox",
        "SaveFileListDataList ファイルリストの保存(&S) DataFile",
        "ClassKeepingFileMove 階層移動(&V) FileOperation",
        "ClassKeepingFileCopy 階層コピー(&O) FileOperation",
        "FolderMove フォルダの移動(&M) FileOperation", "FolderCopy フォルダのコピー(&C) FileOperation",
        "FolderNew 新フォルダ(&N) FileOperation", "BaseSetting 基本設定(&S) Setting",
        "DataDelete データ削除(&L) DataFile", "FileListTranslate リスト転送(&T) DataFile",
        "FilterAdd 追加(&A) Filter", "FilterDelete 削除（&D） Filter",
        "FileSearchAll 全検索(&A) FileOperation",
        "RemoveReadOnlyAttribs 読み取り専用の解除(&R) FileOperation",
        "RemoveHiddenAttribs 隠しファイル属性の解除(&H) FileOperation",
        "DeleteNoFileDirectory ファイルのないフォルダの削除(&D) FileOperation",
        "SaveFileListRight ファイルリストの保存(&S) DataFile",
        "GetDriveTypeAction GetDriveTypeAction DataFile", "GetSerialNum GetSerialNum DataFile",
        "FileExtToNewExt 拡張子の一括変更(&E) FileOperation",
        "ReNameAllFile ファイル名の一括変更(&R) FileOperation",
        "ClipBoardCopyDataList ファイルリストのコピー(&C) Edit", "ClipBoardPaste 貼り付け(&P) Edit",
        "ClipBoardCopyRight ファイルリストのコピー(&C) Edit", "EditClick 編集(&E) Edit",
        "SetReadOnlyAttribs 読み取り専用にする(&O) FileOperation",
        "SetHiddenAttribs 隠しファイルにする( &I ) FileOperation",
        "ReNameFileNameRight ファイル名の変更(&R) FileOperation", "FilterReverse 反転(&R) Filter",
        "FilterClear 消去(&C) Filter", "ShowHelp ヘルプの表示(&H) Help",
        "ShowVersion バージョン情報(&A) Help", "DeleteSameData 重複データの削除(D) Edit",
        "SortDataList 昇順ソート(&S) Edit", "RenameFileNameLeft ファイル名の変更(&R) FileOperation",
        "ClipBoardCopyLeft ファイルリストのコピー(C) Edit",
        "SaveFileListLeft ファイルリストの保存(&S) DataFile", "FilterEdit 編集(&E) Filter",
        "SelectAllDataList すべて選択(&A) Edit", "ClearDataList クリア(&E) Edit",
        "DoFilterDataList フィルタで抽出(&F) Edit"};
    QStringList actual;
    for (QAction* a : form->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (a->objectName().isEmpty()) continue;
        actual << a->objectName() + ' ' + a->text() + ' ' + a->property("category").toString();
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(MainWindowTest, PopupMenusHoldTheirItemsInOrder) {
    const QStringList help = {"設定(&S)", "  基本設定(&S)", "ヘルプ(&H)", "  ヘルプの表示(&H)",
                              "  バージョン情報(&A)"};
    EXPECT_EQ(menuLines("LeftDirectoryPopupMenu"),
              QStringList({"指定フォルダ(&F)", "右に合わせる(&R)", "|", "全検索(&A)", "|"}) + help +
                  QStringList({"フォルダ(&D) [hidden]", "  フォルダのコピー(&C)",
                               "  フォルダの移動(&M)", "  |"}));
    EXPECT_EQ(menuLines("FileOperationPopupMenu"),
              QStringList({"元に戻す(&U) [disabled]", "やり直し(&R) [disabled]", "|",
                           "ファイル（&F）", "  ファイルリストの保存(&S)", "  |", "  一括操作(A)",
                           "    一括コピー(&C)", "    一括移動(&M)", "    一括削除(&D)", "    |",
                           "    一括消去(&E) [disabled]", "  階層操作(&C)", "    階層コピー(&O)",
                           "    階層移動(&V)", "  |", "  ファイル名の一括変更(&R)",
                           "  拡張子の一括変更(&E)", "  属性の一括変更(&T)",
                           "    読み取り専用の解除(&R)", "    読み取り専用にする(&O)",
                           "    隠しファイル属性の解除(&H)", "    隠しファイルにする( &I )",
                           "編集(&E)", "  ファイルリストのコピー(&C)", "  貼り付け(&P)",
                           "  データ削除(&L)", "  すべて選択(&A)", "  クリア(&E)", "  |",
                           "  昇順ソート(&S)", "  フィルタで抽出(&F)", "  重複データの削除(D)"}) +
                  help);
    EXPECT_EQ(menuLines("RightDirectoryPopupMenu"),
              QStringList({"選択フォルダ(&F)", "左に合わせる(&L)", "|",
                           "ファイルのないフォルダの削除(&D)", "|"}) + help);
    EXPECT_EQ(menuLines("FileListRightPopupMenu"),
              QStringList({"ファイルリストの保存(&S)", "|", "ファイル名の変更(&R)",
                           "ファイルリストのコピー(&C)", "|"}) + help);
    EXPECT_EQ(menuLines("FileListLeftPopupMenu"),
              QStringList({"ファイルリストの保存(&S)", "|", "ファイル名の変更(&R)",
                           "ファイルリストのコピー(C)", "|"}) + help);
    EXPECT_EQ(menuLines("FilterPopupMenu"),
              QStringList({"追加(&A)", "編集(&E)", "削除（&D）", "|", "反転(&R)", "|", "消去(&C)"}));
}

TEST_F(MainWindowTest, MenuItemsTriggerTheirActions) {
    // The About item of a nested help submenu reaches the About handler.
    QMenu* menu = form->fileListLeftPopupMenu();
    QAction* helpMenu = menu->actions().last();
    ASSERT_TRUE(helpMenu->menu());
    helpMenu->menu()->actions().at(1)->trigger();
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_TRUE(fakeDialogs().shown[0].text.startsWith("Dorvanquellis Version 00.01.00\r\n\r\n"));
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  Dorvanquellis"));
    EXPECT_EQ(fakeDialogs().shown[0].flags, 0);
    EXPECT_EQ(fakeDialogs().shown[0].text.count("\r\n"), 2);
}

TEST_F(MainWindowTest, ButtonsShowTheirActionsCaptions) {
    struct B { const char* name; const char* caption; int top; };
    const B buttons[] = {{"MakeFolderButton", "新フォルダ(&N)", 1}, {"DelFolderButton", "削フォルダ(&R)", 20},
                         {"CopyButton", "一括コピー(&C)", 42}, {"MoveButton", "一括移動(&M)", 61},
                         {"DelButton", "一括削除(&D)", 82},
                         {"ClassKeepingFileCopyButton", "階層コピー(&O)", 103},
                         {"ClassKeepingFileMoveButton", "階層移動(&V)", 122},
                         {"DataDelButton", "データ削除(&L)", 144}};
    for (const B& b : buttons) {
        auto* button = form->findChild<QPushButton*>(QString::fromLatin1(b.name));
        ASSERT_TRUE(button) << b.name;
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->y(), b.top);
        EXPECT_EQ(button->height(), 19);
    }
    EXPECT_EQ(form->getFileListTranslateButton()->text(), QStringLiteral("↓(&T)"));
    // Erase is disabled unless the setting enables it, and so is its item.
    EXPECT_FALSE(form->action("FileErase")->isEnabled());
}

TEST_F(MainWindowTest, WindowOpensWithTheDesignLayoutAndLimits) {
    form->show();
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(600, 360));
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Dorvanquellis"));
    EXPECT_EQ(form->dataSelectPanel()->width(), 300);
    EXPECT_EQ(form->rightPanel()->width(), 84);
    EXPECT_EQ(form->operationPanel()->height(), 164);
    EXPECT_FALSE(form->searchingButton()->isVisible());
    EXPECT_EQ(form->searchingButton()->property("tag").toInt(), 0);
    // The working lists are the window's data, not widgets of their own.
    for (const char* name : {"OpenDialogListBox", "FilePathListBox", "FileListBox1"})
        EXPECT_FALSE(form->findChild<QWidget*>(QString::fromLatin1(name))) << name;
    // The transfer button keeps the bottom-right corner of its panel.
    const QRect client = form->filePanel()->contentsRect();
    EXPECT_EQ(form->getFileListTranslateButton()->geometry().right(), client.right());
    EXPECT_EQ(form->getFileListTranslateButton()->geometry().bottom(), client.bottom() - 1);

    // Panel limits hold whatever the splitter is asked for.
    form->mainSplitter()->setSizes({100, 50, 400});
    QApplication::processEvents();
    EXPECT_GE(form->dataSelectPanel()->width(), 200);
    EXPECT_GE(form->sendToPanel()->width(), 100);
    EXPECT_LE(form->rightPanel()->width(), 150);
    EXPECT_GE(form->rightPanel()->width(), 84);
    // The right splitter's bar stays flush against the right panel.
    QSplitterHandle* right = form->mainSplitter()->handle(2);
    EXPECT_EQ(right->objectName(), QStringLiteral("RightSplitter"));
    EXPECT_EQ(right->geometry().right() + 1, form->rightPanel()->x());
    EXPECT_EQ(right->width(), 4);
    // Neither side of the bar between the left tree and the name list can
    // vanish: both keep the transfer button's width plus 3.
    form->fileSplitter()->setSizes({1, 400});
    QApplication::processEvents();
    EXPECT_GE(form->directoryPanel()->width(), 39);
}

TEST_F(MainWindowTest, ControlsAreNamedAndAccessible) {
    const char* named[] = {"DataSelectPanel", "FilePanel", "DirectoryPanel", "DrivePanel",
                           "DriveComboBox1", "DriveTypeLabel", "VolumeLabelLabel",
                           "SerialNumberLabel", "DirectoryListBox1", "SearchingButton",
                           "FileNameListBox", "GetFileListTranslateButton", "DataListBox",
                           "SendToPanel",
                           "SendToDirectoryPanel", "SendToDrivePanel", "DriveComboBox2",
                           "DirectoryListBox2", "FileListBox2", "RightPanel", "OperationPanel",
                           "FilterPanel", "FilterCheckListBox", "LeftSplitter", "RightSplitter",
                           "DriveSplitter", "FileDataSplitter", "SendToFileSplitter"};
    for (const char* name : named)
        EXPECT_TRUE(form->findChild<QWidget*>(QString::fromLatin1(name))) << name;

    // Lists, trees and selectors carry a Japanese name for screen readers and
    // their own name as description.
    const auto japanese = [](const QString& s) {
        return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() >= 0x3040; });
    };
    QList<QWidget*> quiet;
    for (auto* w : form->findChildren<QAbstractItemView*>()) quiet << w;
    for (auto* w : form->findChildren<QComboBox*>()) quiet << w;
    for (QWidget* w : quiet) {
        if (w->objectName().isEmpty()) continue;  // parts of Qt's own widgets
        EXPECT_TRUE(japanese(w->accessibleName())) << w->objectName().toStdString();
        EXPECT_EQ(w->accessibleDescription(), w->objectName());
    }
    EXPECT_EQ(form->dataListBox()->accessibleName(), QStringLiteral("データリスト"));
    EXPECT_EQ(form->fileNameListBox()->accessibleName(), QStringLiteral("左のファイルリスト"));
    EXPECT_EQ(form->dataListBox()->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(MainWindowTest, ShiftF10OpensTheContextMenuOfTheFocusedListOrTree) {
    const std::pair<QWidget*, const char*> popups[] = {
        {form->directoryListBox1(), "LeftDirectoryPopupMenu"},
        {form->fileNameListBox(), "FileListLeftPopupMenu"},
        {form->dataListBox(), "FileOperationPopupMenu"},
        {form->directoryListBox2(), "RightDirectoryPopupMenu"},
        {form->fileListBox2(), "FileListRightPopupMenu"},
        {form->filterCheckListBox(), "FilterPopupMenu"}};
    form->show();
    for (const auto& [widget, name] : popups) {
        auto* menu = form->findChild<QMenu*>(QString::fromLatin1(name));
        QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
        QApplication::sendEvent(widget, &f10);
        EXPECT_FALSE(menu->isVisible()) << name;
        QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
        QApplication::sendEvent(widget, &shiftF10);
        EXPECT_TRUE(menu->isVisible()) << name;
        menu->hide();
    }
}

TEST_F(MainWindowTest, FirstShowMarksTheWindowReady) {
    EXPECT_FALSE(form->FormReady);
    const QString typeBefore = form->driveTypeLabel()->text();
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(form->FormReady);
    EXPECT_NE(form->fileOperation(), nullptr);
    EXPECT_FALSE(typeBefore.isEmpty());
}

TEST_F(MainWindowTest, HelpOpensTheProgramsHelpFile) {
    form->action("ShowHelp")->trigger();
    EXPECT_EQ(fakeHelp().calls, 1);
    EXPECT_EQ(fakeHelp().lastFile, QStringLiteral("Dorvanquellis.hlp"));
}

// F1 opens the help at the page of what has focus, in the window that has
// it (a modal dialog must not shut the help out); the contents where no page
// is tagged.
TEST_F(MainWindowTest, F1OpensTheHelpAtThePageOfTheFocusedControl) {
    InstallHelpKey();
    TSettingForm settings(form.get());
    QDialog untagged(form.get());
    QLineEdit field(&untagged);
    const struct {
        QWidget* focused;
        QString page;
        QWidget* owner;
    } rows[] = {
        {form->filterCheckListBox(), "filter.html", form.get()},
        {form->dataListBox(), "editlist.html", form.get()},
        {form->directoryListBox2(), "folder.html", form.get()},
        {form->searchingButton(), "search.html", form.get()},
        {form->mainSplitter(), "window.html", form.get()},
        {settings.OKButton, "settings.html", &settings},
        {&field, "", &untagged},
    };
    for (const auto& row : rows) {
        fakeHelp().calls = 0;
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(row.focused, &f1);
        SCOPED_TRACE(row.focused->objectName().toStdString());
        EXPECT_EQ(fakeHelp().calls, 1);
        EXPECT_EQ(fakeHelp().lastPage, row.page);
        if (!row.page.isEmpty()) {
            EXPECT_EQ(fakeHelp().lastOwner, row.owner);
        }
    }
}

TEST_F(MainWindowTest, StandardDialogsAndFontAreJapanese) {
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("いいえ(&N)"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_EQ(QApplication::font().pixelSize(), 12);
    EXPECT_TRUE(QFontInfo(QApplication::font()).family().contains("IPA"));
}

TEST_F(MainWindowTest, PasteIsEnabledOnlyWhileTheClipboardHoldsText) {
    QMenu* edit = form->findChild<QMenu*>(QStringLiteral("EditClickMenu"));
    ASSERT_TRUE(edit);
    fakeClipboard().clear();
    Q_EMIT edit->aboutToShow();
    EXPECT_FALSE(form->action("ClipBoardPaste")->isEnabled());
    fakeClipboard().setText(QStringLiteral("/a"));
    Q_EMIT edit->aboutToShow();
    EXPECT_TRUE(form->action("ClipBoardPaste")->isEnabled());
}

// A left-button mouse event on the check box of a row of the filter list, or
// in the middle of its text.
void mouseOnFilterRow(FilterCheckListView* list, QEvent::Type type, int row, bool onBox = true) {
    const QPoint at = onBox ? list->checkBoxRect(row).center()
                            : list->visualRect(list->model()->index(row, 0)).center() + QPoint(20, 0);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
}

// Clicks, Space, double clicks, drags and the popup's actions reach the
// filter commands; the mask follows the marks.
TEST_F(MainWindowTest, FilterListEventsAndActionsReachTheirCommands) {
    form->show();
    QApplication::processEvents();
    FilterCheckListView* filters = form->filterCheckListBox();
    auto click = [&](int row, bool onBox = true) {
        mouseOnFilterRow(filters, QEvent::MouseButtonPress, row, onBox);
        mouseOnFilterRow(filters, QEvent::MouseButtonRelease, row, onBox);
    };
    ASSERT_EQ(form->Filters->entries(),
              (std::vector<FilterEntry>{{"*.*", false}, {"*.txt", true}}));
    click(0, false);
    EXPECT_FALSE(form->Filters->at(0).checked) << "a click on the text toggles nothing";
    click(0);
    EXPECT_EQ(form->FileListBox1->mask(), "*.*");
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(filters, &space);
    EXPECT_EQ(form->FileListBox1->mask(), "*.txt");
    click(1);
    EXPECT_TRUE(form->Filters->at(1).checked);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"１つ以上選択してください"});

    fakeDialogs().reset();
    fakeDialogs().inputs = {QStringLiteral("*.m3u"), QStringLiteral("*.pls")};
    click(0);
    mouseOnFilterRow(filters, QEvent::MouseButtonDblClick, 0);
    mouseOnFilterRow(filters, QEvent::MouseButtonRelease, 0);
    EXPECT_TRUE(form->Filters->at(0).checked) << "a double click's second click toggles nothing";
    form->action("FilterAdd")->trigger();
    ASSERT_EQ(form->Filters->count(), 4);
    EXPECT_EQ(fakeDialogs().shown.at(0).caption, QStringLiteral("フィルタの追加"));
    fakeDialogs().inputs = {QStringLiteral("*.pl")};
    click(3, false);
    mouseOnFilterRow(filters, QEvent::MouseButtonDblClick, 3, false);
    mouseOnFilterRow(filters, QEvent::MouseButtonRelease, 3, false);
    EXPECT_EQ(form->Filters->at(3), (FilterEntry{"*.pls", false})) << "not toggled";
    EXPECT_EQ(form->Filters->at(4), (FilterEntry{"*.pl", false})) << "added";
    EXPECT_EQ(fakeDialogs().shown.back().caption, QStringLiteral("フィルタの追加"));
    mouseOnFilterRow(filters, QEvent::MouseButtonPress, 2);
    mouseOnFilterRow(filters, QEvent::MouseMove, 3);
    mouseOnFilterRow(filters, QEvent::MouseButtonRelease, 3);
    EXPECT_EQ(form->Filters->at(2).text, "*.pls");
    EXPECT_FALSE(form->Filters->at(3).checked) << "a drag is no click";
    form->action("FilterClear")->trigger();
    EXPECT_EQ(form->Filters->count(), 2);
    EXPECT_EQ(form->FileListBox1->mask(), "*.txt");
}

}  // namespace

#include "app/CommandGuard.h"

TEST(CommandGuard, AnUncaughtFailureEndsInTheErrorReport) {
    fakeDialogs().reset();
    RunGuarded([] { throw std::runtime_error("disk on fire"); });
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ErrorReport);
    EXPECT_EQ(fakeDialogs().shown[0].text, QStringLiteral("disk on fire"));
}

#include <csignal>

#include "platform/TerminationSignals.h"
#include "util/Termination.h"

TEST(TerminationSignals, ATermSignalClosesTheWindowLikeTheUser) {
    QWidget window;
    bool closed = false;
    struct CloseWatch : QObject {
        bool* flag;
        explicit CloseWatch(bool* f) : flag(f) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Close) *flag = true;
            return false;
        }
    } watch(&closed);
    window.installEventFilter(&watch);
    window.show();
    CloseOnTerminationSignals(&window);
    ::raise(SIGTERM);
    for (int i = 0; i < 50 && !closed; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(closed);
    clearTerminationRequest();
}
