// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "folders/FolderChooserDialogs.h"
#include "folders/GetFolderNameForm.h"
#include "support/TestEnvironment.h"

namespace {

TEST(GetFolderNameForm, ButtonsStayCentredAtEveryWidth) {
    TGetFolderNameForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("フォルダの選択"));
    EXPECT_EQ(form.size(), QSize(188, 324));
    EXPECT_EQ(form.minimumSize(), QSize(188, 250));
    form.show();
    for (int width : {188, 301, 640}) {
        form.resize(width, 400);
        EXPECT_EQ(form.OKButton->x(), (width - 160) / 2) << width;
        EXPECT_EQ(form.CancelButton->x(), form.OKButton->x() + 80) << width;
        EXPECT_EQ(form.OKButton->width(), 80);
        EXPECT_EQ(form.ButtonPanel->height(), 41);
    }
}

// Opens the chooser at start, lets act work in it, then presses OK or
// Cancel (neither: act closes it).
std::optional<std::string> choose(const std::string& start,
                                  const std::function<void(TGetFolderNameForm&)>& act,
                                  std::optional<bool> ok) {
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TGetFolderNameForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        act(*form);
        if (ok) (*ok ? form->OKButton : form->CancelButton)->click();
    });
    FolderChooserDialogs dialogs;
    return dialogs.chooseFolder(QString(), start);
}

TEST(GetFolderNameForm, OkGivesTheTreesFolderCancelNothing) {
    TempDir dir;
    const std::string sub = dir.mkdir("a/b");
    const auto chosen = choose(dir / "a", [&](TGetFolderNameForm& form) {
        EXPECT_EQ(form.folder(), dir / "a");
        EXPECT_EQ(form.DriveComboBox1->drive(), form.DirectoryListBox1->entryPath(0));
        form.DirectoryListBox1->setDirectory(sub);
    }, true);
    EXPECT_EQ(chosen, sub);
    EXPECT_EQ(choose(sub, [](TGetFolderNameForm&) {}, false), std::nullopt);
}

// Highlighted with the arrow keys or by typing its name, then Enter.
TEST(GetFolderNameForm, EnterGivesTheHighlightedFolder) {
    TempDir dir;
    const std::string sub = dir.mkdir("a/b");
    for (const QString& keys : {QStringLiteral("\x1f"), QStringLiteral("b")}) {
        const auto chosen = choose(dir / "a", [&](TGetFolderNameForm& form) {
            DirectoryListBox* tree = form.DirectoryListBox1;
            tree->setFocus();
            QKeyEvent highlight(QEvent::KeyPress, keys == "b" ? Qt::Key_B : Qt::Key_Down,
                                Qt::NoModifier, keys == "b" ? keys : QString());
            QApplication::sendEvent(tree, &highlight);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(tree, &enter);
        }, std::nullopt);
        EXPECT_EQ(chosen, sub) << (keys == "b" ? "typed" : "arrow key");
    }
}

}  // namespace
