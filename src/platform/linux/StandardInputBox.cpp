// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/StandardInputBox.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxLength = 255;
constexpr int kMinEditWidth = 280;
constexpr int kMaxEditWidth = 600;

}  // namespace

StandardInputBox::StandardInputBox(const QString& caption, const QString& prompt,
                                   const QString& defaultText, QWidget* owner)
    : QDialog(owner), defaultText_(defaultText) {
    setObjectName(QStringLiteral("InputBox"));
    setWindowTitle(caption);
    // Plain text with no buddy: an "&" or a "<" of a file name shows as it is.
    Prompt = new QLabel(prompt, this);
    Prompt->setTextFormat(Qt::PlainText);
    Edit = new QLineEdit(this);
    Edit->setAccessibleName(prompt);
    // A longer default text is kept whole rather than cut.
    Edit->setMaxLength(std::max<int>(kMaxLength, int(defaultText.size())));
    Edit->setText(defaultText);
    const int textWidth = Edit->fontMetrics().horizontalAdvance(defaultText) + 16;
    Edit->setMinimumWidth(std::clamp(textWidth, kMinEditWidth, kMaxEditWidth));
    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Prompt);
    layout->addWidget(Edit);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString StandardInputBox::ask() {
    return exec() == QDialog::Accepted ? Edit->text() : defaultText_;
}

void StandardInputBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit->setFocus();
    Edit->selectAll();
}
