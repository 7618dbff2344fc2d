// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

#include "platform/linux/HelpWindow.h"
#include "platform/linux/HtmlHelpViewer.h"
#include "support/TestEnvironment.h"

namespace {

class HelpWindowTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        window.showContentsPage();
    }

    QString page() const { return window.browser()->source().toString(); }
    QString highlighted() const {
        const QTreeWidgetItem* item = window.contents()->currentItem();
        return item ? item->text(0) : QString();
    }
    QTreeWidgetItem* entry(const QString& title) const {
        for (QTreeWidgetItemIterator it(window.contents()); *it; ++it)
            if ((*it)->text(0) == title) return *it;
        return nullptr;
    }
    void jumpFromIndex(const QString& keyword) {
        const auto found = window.index()->findItems(keyword, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        Q_EMIT window.index()->itemActivated(found[0]);
    }

    HelpWindow window;
};

TEST_F(HelpWindowTest, TheContentsFollowLinksIndexJumpsAndHistory) {
    ASSERT_EQ(page(), QStringLiteral("index.html"));
    EXPECT_FALSE(window.backAction()->isEnabled());

    window.browser()->setSource(QUrl(QStringLiteral("window.html")));  // a link
    EXPECT_EQ(highlighted(), QStringLiteral("画面の構成"));
    jumpFromIndex(QStringLiteral("基準階層"));
    EXPECT_EQ(page(), QStringLiteral("hierarchy.html#baselevel"));
    EXPECT_EQ(highlighted(), QStringLiteral("階層コピー・階層移動"));
    window.browser()->setSource(QUrl(QStringLiteral("bulk.html")));  // a chapter's first section
    EXPECT_EQ(highlighted(), QStringLiteral("一括操作"));
    window.backAction()->trigger();

    window.backAction()->trigger();
    EXPECT_EQ(page(), QStringLiteral("window.html"));
    EXPECT_EQ(highlighted(), QStringLiteral("画面の構成"));
    window.backAction()->trigger();
    EXPECT_EQ(page(), QStringLiteral("index.html"));
    EXPECT_EQ(highlighted(), QStringLiteral("はじめに"));
    EXPECT_FALSE(window.backAction()->isEnabled());
    ASSERT_TRUE(window.forwardAction()->isEnabled());
    window.forwardAction()->trigger();
    EXPECT_EQ(highlighted(), QStringLiteral("画面の構成"));

    // The entry that was highlighted before a link opens its page again.
    window.browser()->setSource(QUrl(QStringLiteral("index.html")));
    window.contents()->setCurrentItem(entry(QStringLiteral("画面の構成")));
    EXPECT_EQ(page(), QStringLiteral("window.html"));
    // So does the highlighted entry after a jump within its page.
    window.browser()->setSource(QUrl(QStringLiteral("window.html#drive")));
    Q_EMIT window.contents()->itemClicked(entry(QStringLiteral("画面の構成")), 0);
    EXPECT_EQ(page(), QStringLiteral("window.html"));
}

TEST_F(HelpWindowTest, AltArrowsGoBackAndForwardFromEveryPane) {
    window.show();
    QApplication::setActiveWindow(&window);
    QWidget* filter = window.findChild<QLineEdit*>(QStringLiteral("HelpIndexFilter"));
    for (QWidget* pane : {static_cast<QWidget*>(window.contents()),
                          static_cast<QWidget*>(window.browser()), filter}) {
        window.browser()->setSource(QUrl(QStringLiteral("index.html")));
        window.browser()->setSource(QUrl(QStringLiteral("bulk.html")));
        pane->setFocus();
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::AltModifier);
        QApplication::sendEvent(pane, &left);
        EXPECT_EQ(page(), QStringLiteral("index.html")) << pane->objectName().toStdString();
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::AltModifier);
        QApplication::sendEvent(pane, &right);
        EXPECT_EQ(page(), QStringLiteral("bulk.html")) << pane->objectName().toStdString();
    }
}

TEST_F(HelpWindowTest, HelpWindowShowsContentsAndIndex) {
    HelpWindow window;
    window.showContentsPage();
    EXPECT_GT(window.contents()->topLevelItemCount(), 0);
    EXPECT_GT(window.index()->count(), 0);
    EXPECT_FALSE(window.browser()->toPlainText().trimmed().isEmpty());
}

// F1 in a dialog after F1 in the main window: the help comes up at the
// dialog's page, owned by the dialog (a window of the main window would be
// shut out while the dialog is modal).
TEST(HtmlHelpViewer, AnotherOwnerGetsAWindowOfItsOwnAtThePage) {
    QWidget window, dialog;
    HtmlHelpViewer viewer;
    viewer.showPage(QString(), QStringLiteral("filter.html"), &window);
    viewer.showPage(QString(), QStringLiteral("settings.html"), &dialog);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<HelpWindow*>(), nullptr);
    const auto* help = dialog.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->browser()->source().toString().endsWith(QStringLiteral("settings.html")));
}

}  // namespace
