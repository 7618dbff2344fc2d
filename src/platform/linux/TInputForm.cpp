// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/TInputForm.h"

#include <algorithm>

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/DialogPosition.h"
#include "platform/InputDialogs.h"

namespace {

constexpr int kFormWidth = 300;
constexpr int kLabelLeft = 6;
constexpr int kLabelTop = 8;
// Room below the buttons; the caption bar and the frame are the window
// manager's.
constexpr int kBottomMargin = 8;

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

TInputForm::TInputForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("InputForm"));
    setWindowTitle(QStringLiteral("InputDialog"));
    MainPanel = new QFrame(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFrameShape(QFrame::NoFrame);
    MainPanel->setGeometry(0, 0, 223, 145);
    PromptLabel = new QLabel(MainPanel);
    PromptLabel->setObjectName(QStringLiteral("PromptLabel"));
    PromptLabel->setTextFormat(Qt::PlainText);
    PromptLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PromptLabel->move(4, 4);
    InputEdit = new QLineEdit(QStringLiteral("InputEdit"), MainPanel);
    InputEdit->setObjectName(QStringLiteral("InputEdit"));
    InputEdit->setGeometry(3, 32, 121, 20);
    InputEdit->installEventFilter(this);
    OKButton = makeButton(QStringLiteral("OK(&O)"), "OKButton", this);
    OKButton->setGeometry(16, 168, 75, 25);
    CancelButton = makeButton(QStringLiteral("Cancel(&C)"), "CancelButton", this);
    CancelButton->setGeometry(112, 168, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(kFormWidth, 214);
    caretAtEnd_ = false;
}

std::optional<QString> TInputForm::ask(const QString& prompt, const QString& caption,
                                       const QString& defaultText, bool caretAtEnd) {
    PromptLabel->setText(prompt);
    InputEdit->setAccessibleName(prompt);
    setWindowTitle(QLatin1Char(' ') + caption);
    InputEdit->setText(defaultText);
    ArrangeControls(caretAtEnd);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return trimInput(InputEdit->text());
}

void TInputForm::ArrangeControls(bool caretAtEnd) {
    PromptLabel->setVisible(true);
    InputEdit->setVisible(true);
    OKButton->setVisible(true);
    caretAtEnd_ = caretAtEnd;

    MainPanel->resize(width(), MainPanel->height());  // the panel spans the form
    const QString prompt = PromptLabel->text();
    const QFontMetrics metrics = PromptLabel->fontMetrics();
    const int oneLineWidth = metrics.size(Qt::TextSingleLine, prompt).width();
    const int lineHeight = metrics.height();
    const int wrapWidth = MainPanel->contentsRect().width() - 2 * kLabelLeft - 1;
    const int lines = prompt.isEmpty() ? 0 : (oneLineWidth + wrapWidth - 1) / wrapWidth;
    PromptLabel->setWordWrap(true);
    int labelHeight = lines * lineHeight;
    // Breaking at word ends (or at line breaks in the prompt) can need more
    // lines than the width alone says; no line is ever cut off.
    if (lines > 0) labelHeight = std::max(labelHeight, PromptLabel->heightForWidth(wrapWidth));
    PromptLabel->setGeometry(kLabelLeft, kLabelTop, wrapWidth, labelHeight);

    const int editHeight = std::max(20, InputEdit->sizeHint().height());
    InputEdit->setGeometry(PromptLabel->x() - 1, PromptLabel->y() + labelHeight + 4,
                           wrapWidth + 3, editHeight);
    MainPanel->resize(MainPanel->width(), InputEdit->y() + editHeight + 3);

    const QSize buttonSize(
        std::max({75, OKButton->sizeHint().width(), CancelButton->sizeHint().width()}),
        std::max({25, OKButton->sizeHint().height(), CancelButton->sizeHint().height()}));
    const int buttonTop = MainPanel->y() + MainPanel->height() + 4;
    const int okLeft = (width() - 2 * buttonSize.width()) / 2;
    OKButton->setGeometry(QRect(QPoint(okLeft, buttonTop), buttonSize));
    CancelButton->setGeometry(
        QRect(QPoint(okLeft + buttonSize.width() + 1, buttonTop), buttonSize));
    setFixedSize(width(), buttonTop + buttonSize.height() + kBottomMargin);
}

void TInputForm::setVisible(bool visible) {
    if (visible) SetDialogPosition(this);
    QDialog::setVisible(visible);
    if (visible) FormShow();
}

// After the dialog's own focus handling, which selects the whole text.
void TInputForm::FormShow() {
    if (!InputEdit->isVisible()) return;
    InputEdit->setFocus();
    if (caretAtEnd_) {
        InputEdit->deselect();
        InputEdit->end(false);
    } else {
        InputEdit->selectAll();
    }
}

bool TInputForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == InputEdit && event->type() == QEvent::KeyPress)
        return InputEditKeyDown(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

bool TInputForm::InputEditKeyDown(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    OKButton->setFocus(Qt::TabFocusReason);
    return true;
}
