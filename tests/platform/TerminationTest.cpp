// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ending the program during an operation: the operation is cancelled cleanly
// and the program ends; input reaches only the operation's dialogs while it
// runs. The ending runs in a child process (a death test), since it ends the
// event loops for good.
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "FileServiceFixture.h"
#include "platform/CloseRequests.h"
#include "platform/TerminationSignals.h"
#include "support/EventWait.h"
#include "util/Termination.h"

namespace {

const JobOptions Shown = JobOption::NoConfirmation | JobOption::NoFolderQuestion;

class TerminationTest : public FileServiceTest {
protected:
    void SetUp() override {
        FileServiceTest::SetUp();
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        FileOpTuning tuning;
        tuning.chunkBytes = 64 * 1024;
        service.setTuning(tuning);
        first = dir.write("src/first", "first");
        large = dir.write("src/large", std::string(4 << 20, 'l'));
    }
    // In the child: the copy as the main window runs it, from its event loop.
    // Exits 0 when the copy was cancelled cleanly and the loop ended.
    [[noreturn]] void copyUntilEnded(const std::function<void()>& end) {
        ::alarm(20);  // a deadlock fails the test instead of hanging it
        int rc = -1;
        fakeFileOpUi().onUpdate = [&, ended = false]() mutable {
            if (!ended && fakeFileOpUi().updates == 5) {
                ended = true;
                end();
            }
        };
        QTimer::singleShot(0, [&] { rc = copy({first, large}, dir / "copy", Shown); });
        QApplication::exec();
        const bool clean = rc == ECANCELED && aborted && fakeFileOpUi().ends == 1 &&
                           namesIn(dir / "copy") == std::vector<std::string>{"first"};
        std::_Exit(clean ? 0 : 1);
    }
    std::string first, large;
};

}  // namespace

TEST_F(TerminationTest, ATermSignalCancelsTheCopyAndThenClosesTheWindow) {
    EXPECT_EXIT(
        {
            QWidget window;
            window.show();
            CloseOnTerminationSignals(&window);
            copyUntilEnded([] { ::raise(SIGTERM); });
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(TerminationTest, AWindowCloseRequestDuringTheCopyEndsItAsTheSignalDoes) {
    EXPECT_EXIT(
        {
            QWidget window;
            window.show();
            copyUntilEnded([&] { CloseRequested(&window); });
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(PlatformTest, AWindowCloseRequestWhileABoxIsOpenIsCarriedOutOnceItIsAnswered) {
    QWidget window;
    window.show();
    bool openWhileAsked = false;
    QTimer::singleShot(0, [&] {
        QMessageBox box(QMessageBox::Information, QStringLiteral("  確認"),
                        QStringLiteral("2個のファイルを抽出しました。"), QMessageBox::Ok, &window);
        QTimer::singleShot(50, [&] { CloseRequested(&window); });
        QTimer::singleShot(300, [&] {
            openWhileAsked = window.isVisible();
            box.accept();
        });
        box.exec();
    });
    EXPECT_TRUE(processEventsUntil([&] { return !window.isVisible(); }, 3000));
    EXPECT_TRUE(openWhileAsked);
}

TEST_F(TerminationTest, ADialogOpenAtTheSignalIsDismissed) {
    EXPECT_EXIT(
        {
            QWidget window;
            window.show();
            CloseOnTerminationSignals(&window);
            // As a question of the operation would wait for an answer.
            copyUntilEnded([] {
                QMessageBox box(QMessageBox::Question, QStringLiteral("?"), QStringLiteral("?"),
                                QMessageBox::Yes | QMessageBox::No);
                ::raise(SIGTERM);
                box.exec();
            });
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(TerminationTest, TheWorkerNeverWaitsForALoopThatHasEnded) {
    EXPECT_EXIT({ copyUntilEnded([] { QCoreApplication::exit(0); }); }, ::testing::ExitedWithCode(0), "");
}

TEST_F(FileServiceTest, InputReachesNothingButTheOperationsDialogs) {
    QPushButton button(QStringLiteral("other command"));
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    auto click = [&] {
        const QPointF at(5, 5);
        QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonPress, at, at, at,
                                                             Qt::LeftButton, Qt::LeftButton, {}));
        QCoreApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonRelease, at, at, at,
                                                             Qt::LeftButton, Qt::NoButton, {}));
    };
    // A click right after the command, before any progress dialog shows.
    fakeFileOpUi().onUpdate = [&, once = false]() mutable {
        if (!once) click();
        once = true;
    };
    const std::string a = dir.write("a", "a");
    EXPECT_EQ(copy({a, a, a}, dir / "dst", JobOption::NoConfirmation | JobOption::NoFolderQuestion | JobOption::RenameOnCollision), 0);
    EXPECT_EQ(clicks, 0);
    click();
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 1);
}

// A child that ends through _exit keeps its home inside its parent's, which
// the parent removes at its end.
TEST(TestHomes, ADeathTestChildMakesItsHomeInsideItsParents) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(std::filesystem::path(testHome()).parent_path().filename().string().rfind(
                               "dorvan-test-", 0) == 0 ? 0 : 1),
                ::testing::ExitedWithCode(0), "");
}
