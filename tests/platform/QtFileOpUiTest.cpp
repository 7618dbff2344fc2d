// The real dialogs, answered by a timer that clicks a button (offscreen).
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>

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
