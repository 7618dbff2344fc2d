// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLabel>
#include <QListWidget>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/linux/ClassCopyForm.h"
#include "platform/linux/QtUserDialogs.h"
#include "support/TestEnvironment.h"

namespace {

std::vector<std::string> levels(int count) {
    std::vector<std::string> result{"/"};
    for (int i = 1; i < count; ++i) result.push_back(result.back() + (i > 1 ? "/" : "") + "d" + std::to_string(i));
    return result;
}

TEST(ClassCopyForm, ListUpToTwentyRowsButtonsBelowHeightFixed) {
    for (int count : {1, 3, 20, 25}) {
        TClassCopyForm form;
        form.setLevels(levels(count));
        QListWidget* list = form.RefClassFolderListBox;
        const int rows = std::min(count, TClassCopyForm::MaxRows);
        EXPECT_EQ(list->height(), rows * list->sizeHintForRow(0) + 2 * list->frameWidth()) << count;
        EXPECT_EQ(form.OKButton->y(), list->geometry().bottom() + 1 + 8);
        EXPECT_EQ(form.CancelButton->y(), form.OKButton->y());
        EXPECT_EQ(form.minimumHeight(), form.maximumHeight());
        EXPECT_GT(form.height(), form.OKButton->geometry().bottom());
        EXPECT_EQ(form.minimumWidth(), form.width());
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(list->toolTip(), QStringLiteral("/"));
    }
}

TEST(ClassCopyForm, TheHintFollowsTheChoiceAndOkGivesItsIndex) {
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TClassCopyForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), QStringLiteral(" 階層操作"));
        EXPECT_EQ(form->RefClassFolderLabel->text(), QStringLiteral("基準階層の指定"));
        form->RefClassFolderListBox->setCurrentRow(2);
        EXPECT_EQ(form->RefClassFolderListBox->toolTip(), QStringLiteral("/d1/d2"));
        form->OKButton->click();
    });
    QtUserDialogs dialogs;
    EXPECT_EQ(dialogs.chooseBaseLevel(levels(4)), 2);

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(dialogs.chooseBaseLevel(levels(4)), std::nullopt);
}

}  // namespace
