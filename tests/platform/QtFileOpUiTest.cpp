// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real dialogs, answered by a timer that clicks a button (offscreen).
#include <algorithm>
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include "platform/Platform.h"
#include "platform/linux/FileOperationService.h"
#include "platform/linux/QtFileOpUi.h"
#include "support/TestEnvironment.h"

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QStringList buttons;
};

// Clicks the button labelled answer on the next message box and records it.
void answerNextBox(const QString& answer, SeenBox& seen) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer->stop();
        timer->deleteLater();
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.buttons.clear();  // sorted: the style decides the order on screen
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons << b->text();
            if (b->text() == answer) chosen = b;
        }
        seen.buttons.sort();
        if (chosen) chosen->click(); else box->reject();
    });
    timer->start(5);
}

}  // namespace

class QtFileOpUiTest : public PlatformTest {
protected:
    QtFileOpUi ui;
    TempDir dir;
    SeenBox seen;
};

TEST_F(QtFileOpUiTest, OverwriteShowsBothFilesAndMapsFourButtons) {
    const std::string target = dir.write("old.txt", "old");
    const std::string source = dir.write("new file.txt", "newer data");
    const std::vector<std::pair<QString, IFileOpUi::Answer>> cases = {
        {QStringLiteral("はい"), IFileOpUi::Answer::Yes},
        {QStringLiteral("すべてはい"), IFileOpUi::Answer::YesToAll},
        {QStringLiteral("いいえ"), IFileOpUi::Answer::No},
        {QStringLiteral("キャンセル"), IFileOpUi::Answer::Cancel}};
    for (const auto& [button, answer] : cases) {
        answerNextBox(button, seen);
        EXPECT_EQ(ui.askOverwrite(target, source), answer) << button.toStdString();
    }
    EXPECT_EQ(seen.caption, QStringLiteral("ファイルの上書きの確認"));
    QStringList expected{"はい", "すべてはい", "いいえ", "キャンセル"};
    expected.sort();
    EXPECT_EQ(seen.buttons, expected);
    EXPECT_TRUE(seen.text.contains(QString::fromStdString(target)));
    EXPECT_TRUE(seen.text.contains(QString::fromStdString(source)));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("サイズ: 3 バイト")));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("サイズ: 10 バイト")));
    EXPECT_FALSE(seen.text.contains(QLatin1Char('\r')));
}

TEST_F(QtFileOpUiTest, QuestionsNameTheirItems) {
    answerNextBox(QStringLiteral("キャンセル"), seen);
    EXPECT_EQ(ui.reportError("/x/gone.txt", QStringLiteral("ファイルまたはフォルダが見つかりません。")),
              IFileOpUi::ErrorChoice::Cancel);
    EXPECT_EQ(seen.buttons, (QStringList{"キャンセル", "スキップ"}));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("/x/gone.txt")));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("見つかりません")));

    answerNextBox(QStringLiteral("はい"), seen);
    EXPECT_TRUE(ui.confirmTrash({"/x/one.txt"}));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("'one.txt' をごみ箱に移動しますか?")));
    answerNextBox(QStringLiteral("いいえ"), seen);
    EXPECT_FALSE(ui.confirmTrash({"/x/a", "/x/b", "/x/c"}));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("3 個の項目")));

    answerNextBox(QStringLiteral("すべてはい"), seen);
    EXPECT_EQ(ui.confirmDeletePermanently("/dev/shm/x"), IFileOpUi::Answer::YesToAll);
    answerNextBox(QStringLiteral("いいえ"), seen);
    EXPECT_FALSE(ui.askCreateFolder("/x/new"));
    EXPECT_EQ(seen.caption, QStringLiteral("フォルダ作成の確認"));
}

TEST_F(QtFileOpUiTest, ProgressDialogShowsTitleAndCancels) {
    auto dialog = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("FileOperationProgress"))
                return qobject_cast<QProgressDialog*>(w);
        return static_cast<QProgressDialog*>(nullptr);
    };
    const QString title = QStringLiteral("しばらくお待ち下さい。");
    ui.progressBegin(nullptr, title, true);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->windowTitle(), title);
    ui.progressUpdate(QStringLiteral("コピーしています..."), "/x/secret name.txt", 5, 10);
    EXPECT_EQ(dialog()->labelText(), title);
    EXPECT_EQ(dialog()->value(), 500);
    EXPECT_FALSE(ui.cancelRequested());
    ui.progressEnd();
    EXPECT_EQ(dialog(), nullptr);

    ui.progressBegin(nullptr, QStringLiteral("コピー"), false);
    ui.progressUpdate(QStringLiteral("コピーしています..."), "/x/shown name.txt", 1, 4);
    EXPECT_TRUE(dialog()->labelText().contains(QStringLiteral("shown name.txt")));
    dialog()->cancel();
    EXPECT_TRUE(ui.cancelRequested());
    ui.progressEnd();
}

namespace {

// A person at the screen: waits a while before answering each box that
// shows, then clicks the button with the mouse. The click passes through the
// application's input filters, as a real one does. A box still open long
// after its click never got it; the person then gives up and closes it
// by hiding it, so the operation ends and the test reports the lost click.
class Person : public QObject {
public:
    // Answer k after thinkMs[k] (the last entry for the rest).
    Person(QStringList answers, std::vector<int> thinkMs)
        : answers_(std::move(answers)), thinkMs_(std::move(thinkMs)) {
        timer_.callOnTimeout(this, [this] { look(); });
        timer_.start(20);
    }
    int lostClicks = 0;
    int answered = 0;
    int coveredBoxes = 0;  // boxes not in front when answered

private:
    void look() {
        QMessageBox* box = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
        if (box != box_) {
            box_ = box;
            clock_.start();
        }
        const int think = thinkMs_[std::min<std::size_t>(std::size_t(answered), thinkMs_.size() - 1)];
        if (!box || clock_.elapsed() < think) return;
        if (clock_.elapsed() > think + 2000) {
            ++lostClicks;
            box->hide();  // ends its loop; no close event for a filter to refuse
            return;
        }
        if (clicked_ == box) return;
        clicked_ = box;
        if (QApplication::activeModalWidget() != box) ++coveredBoxes;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("FileOperationProgress") && w->isVisible() &&
                box->parentWidget() != w)
                ++coveredBoxes;
        const QString answer = answered < answers_.size() ? answers_[answered] : answers_.last();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == answer) click(b);
        ++answered;
    }
    static void click(QAbstractButton* button) {
        const QPointF local(button->width() / 2.0, button->height() / 2.0);
        const QPointF global = button->mapToGlobal(local);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, local, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(button, &event);
        }
    }

    QStringList answers_;
    std::vector<int> thinkMs_;
    QTimer timer_;
    QElapsedTimer clock_;
    QPointer<QMessageBox> box_;
    QPointer<QMessageBox> clicked_;
};

}  // namespace

// Error boxes of a running operation, answered by clicks: open while the
// progress dialog's delay passes (500 ms here, Qt's own default 4 s) and
// opening after the dialog has shown.
TEST_F(QtFileOpUiTest, ErrorBoxesBeforeAndAfterTheProgressDelayTakeClicks) {
    struct Row {
        const char* name;
        QStringList answers;
        std::vector<int> thinkMs;
        int boxes;
        bool cancelled;
    };
    const Row rows[] = {
        {"skip each", {QStringLiteral("スキップ")}, {300}, 3, false},
        {"cancel at the second", {QStringLiteral("スキップ"), QStringLiteral("キャンセル")},
         {4300, 300}, 2, true},
    };
    IFileOpUi* saved = platform().fileOpUi;
    platform().fileOpUi = &ui;
    for (const Row& row : rows) {
        FileJob job;
        job.kind = JobKind::Copy;
        job.sources = {dir / "gone1", dir / "gone2", dir / "gone3"};
        job.targetFolder = dir.path();
        Person person(row.answers, row.thinkMs);
        const JobOutcome outcome = FileOperationService().run(job);
        EXPECT_EQ(person.lostClicks, 0) << row.name;
        EXPECT_EQ(person.coveredBoxes, 0) << row.name;
        EXPECT_EQ(outcome.cancelled, row.cancelled) << row.name;
        EXPECT_EQ(person.answered, row.boxes) << row.name;
    }
    platform().fileOpUi = saved;
}

// While a question of a running operation is in front, the input filter
// refuses only what a user does: a window the program closes itself (a box
// behind the question, as the termination path dismisses them) closes.
TEST_F(QtFileOpUiTest, TheProgramClosesAWindowBehindAQuestion) {
    IFileOpUi* saved = platform().fileOpUi;
    platform().fileOpUi = &ui;
    QDialog behind;
    behind.show();
    bool closed = false;
    QTimer timer;
    timer.callOnTimeout([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer.stop();
        closed = behind.close();
        box->reject();
    });
    timer.start(20);
    FileJob job;
    job.sources = {dir / "gone"};
    job.targetFolder = dir.path();
    FileOperationService().run(job);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(behind.isVisible());
    platform().fileOpUi = saved;
}
