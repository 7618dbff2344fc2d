// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <functional>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/InputDialogs.h"
#include "platform/linux/StandardInputBox.h"
#include "platform/linux/TInputForm.h"
#include "support/TestEnvironment.h"

namespace {

void press(QWidget* target, int key, const QString& text = QString()) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &event);
}

// Asks with the real dialog while user acts on it once it is showing.
std::optional<QString> askWith(TInputForm& form, const QString& defaultText, bool caretAtEnd,
                               const std::function<void(TInputForm&)>& user) {
    QTimer::singleShot(0, &form, [&] {
        user(form);
        if (form.isVisible()) form.close();  // a user action that left it open
    });
    return form.ask(QStringLiteral("名前:"), QStringLiteral("題"), defaultText, caretAtEnd);
}

class InputDialogsTest : public PlatformTest {};

TEST_F(InputDialogsTest, ThePromptWrapsOverTheLinesItNeedsAndEverythingFollowsIt) {
    const QString longPrompt = QStringLiteral("例1)*.txt     例2)*.txt;*.m3u ").repeated(6);
    int editTop = -1;  // grows with the prompt
    for (const QString& prompt : {QString(), QStringLiteral("例1)*.txt"), longPrompt}) {
        SCOPED_TRACE(prompt.toStdString());
        TInputForm form;
        form.PromptLabel->setText(prompt);
        form.ArrangeControls(false);
        const QFontMetrics metrics = form.PromptLabel->fontMetrics();
        const int wrapWidth = 300 - 2 * 6 - 1;
        const int oneLine = metrics.size(Qt::TextSingleLine, prompt).width();
        const int lines = (oneLine + wrapWidth - 1) / wrapWidth;
        const QRect label = form.PromptLabel->geometry();
        EXPECT_EQ(label, QRect(6, 8, wrapWidth, label.height()));
        EXPECT_GE(label.height(), lines * metrics.height());
        if (!prompt.isEmpty()) {  // nothing cut off
            EXPECT_GE(label.height(), form.PromptLabel->heightForWidth(wrapWidth));
        }
        EXPECT_EQ(label.height() == 0, prompt.isEmpty());
        const QRect edit = form.InputEdit->geometry();
        EXPECT_EQ(edit.topLeft(), QPoint(5, label.bottom() + 1 + 4));
        EXPECT_EQ(edit.width(), wrapWidth + 3);
        EXPECT_GT(edit.top(), editTop + (prompt == longPrompt ? 2 * metrics.height() : 0));
        editTop = edit.top();
        EXPECT_EQ(form.MainPanel->geometry(), QRect(0, 0, 300, edit.bottom() + 1 + 3));
        const QRect ok = form.OKButton->geometry();
        EXPECT_EQ(ok.topLeft(), QPoint((300 - 2 * ok.width()) / 2, form.MainPanel->height() + 4));
        EXPECT_EQ(form.CancelButton->geometry(), ok.translated(ok.width() + 1, 0));
        EXPECT_EQ(form.width(), 300);
        EXPECT_GT(form.height(), ok.bottom());
    }
}

TEST_F(InputDialogsTest, EnterMovesToOkAndOnlyASecondEnterCloses) {
    TInputForm form;
    bool openAfterFirstEnter = false;
    const auto result = askWith(form, QStringLiteral("  *.m3u \t"), true, [&](TInputForm& f) {
        press(f.InputEdit, Qt::Key_Return);
        openAfterFirstEnter = f.isVisible() && f.focusWidget() == f.OKButton;
        press(f.OKButton, Qt::Key_Return);
    });
    EXPECT_TRUE(openAfterFirstEnter);
    EXPECT_EQ(result, QStringLiteral("*.m3u"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" 題"));
}

TEST_F(InputDialogsTest, TheCaretFlagDecidesWhetherTypingAppendsOrReplaces) {
    for (bool caretAtEnd : {true, false}) {
        TInputForm form;
        const auto result = askWith(form, QStringLiteral("*."), caretAtEnd, [](TInputForm& f) {
            press(f.InputEdit, Qt::Key_M, QStringLiteral("m"));
            f.OKButton->click();
        });
        EXPECT_EQ(result, caretAtEnd ? QStringLiteral("*.m") : QStringLiteral("m")) << caretAtEnd;
    }
}

TEST_F(InputDialogsTest, AnyCloseButOkGivesNothingAndOkWithBlanksAnEmptyText) {
    const std::function<void(TInputForm&)> closes[] = {
        [](TInputForm& f) { f.CancelButton->click(); },
        [](TInputForm& f) { f.close(); },
        [](TInputForm& f) { press(f.InputEdit, Qt::Key_Escape); },
    };
    for (const auto& close : closes) {
        TInputForm form;
        EXPECT_EQ(askWith(form, QStringLiteral("x"), false, close), std::nullopt);
    }
    TInputForm form;
    const auto blanks = askWith(form, QString(), false, [](TInputForm& f) {
        f.InputEdit->setText(QStringLiteral(" \t\x01 "));
        f.OKButton->click();
    });
    EXPECT_EQ(blanks, QString());
}

TEST_F(InputDialogsTest, AskTextGivesTheDefaultOnAnyCloseButOk) {
    fakeDialogs().inputs = {std::nullopt, QStringLiteral(" a b\u3000 "), QStringLiteral("  ")};
    bool ok = true;
    EXPECT_EQ(AskTextModal("p", "c", "*.", true, ok), QStringLiteral("*."));
    EXPECT_FALSE(ok);
    // Only codes 32 and below are trimmed; the ideographic space stays.
    EXPECT_EQ(AskTextModal("p", "c", "*.", true, ok), QStringLiteral("a b\u3000"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(AskText("p", "c", "*.", false), QString());
    EXPECT_EQ(fakeDialogs().shown.at(2).flags, 0) << "caret flag passed on";
}

TEST_F(InputDialogsTest, TheStandardInputBoxKeepsTextAndPromptAsTheyAre) {
    const QString longName(300, QLatin1Char('n'));
    struct Case { QString typed; int key; QString result; };
    const Case cases[] = {{QStringLiteral(" b.txt "), Qt::Key_Return, QStringLiteral(" b.txt ")},
                          {QStringLiteral("b.txt"), Qt::Key_Escape, QStringLiteral("a.txt")},
                          {longName, Qt::Key_Return, longName}};
    for (const Case& c : cases) {
        const QString defaultText = c.typed == longName ? longName : QStringLiteral("a.txt");
        StandardInputBox box(QStringLiteral("名前の変更"), QStringLiteral("Tom & <b>Jerry</b>"),
                             defaultText);
        EXPECT_EQ(box.Prompt->textFormat(), Qt::PlainText);
        EXPECT_EQ(box.Prompt->buddy(), nullptr) << "an & would become a mnemonic";
        QTimer::singleShot(0, &box, [&] {
            EXPECT_EQ(box.Edit->selectedText(), defaultText);
            if (c.typed != longName) box.Edit->setText(c.typed);
            press(box.Edit, c.key);
            if (box.isVisible()) box.close();
        });
        EXPECT_EQ(box.ask(), c.result);
        EXPECT_EQ(box.Edit->maxLength(), std::max<qsizetype>(255, defaultText.size()));
    }
}

}  // namespace
