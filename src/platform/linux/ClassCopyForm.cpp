// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/ClassCopyForm.h"

#include <algorithm>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "platform/HelpKey.h"
#include "platform/DialogPosition.h"
#include "platform/IScreen.h"
#include "platform/Platform.h"
#include "util/DisplayText.h"

namespace {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMinWidth = 240;
}  // namespace

TClassCopyForm::TClassCopyForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ClassCopyForm"));
    setHelpPage(this, QStringLiteral("hierarchy.html"));
    setWindowTitle(QStringLiteral(" 階層操作"));
    RefClassFolderLabel = new QLabel(QStringLiteral("基準階層の指定"), this);
    RefClassFolderLabel->setObjectName(QStringLiteral("RefClassFolderLabel"));
    RefClassFolderListBox = new QListWidget(this);
    RefClassFolderListBox->setObjectName(QStringLiteral("RefClassFolderListBox"));
    RefClassFolderListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    RefClassFolderListBox->setAccessibleName(QStringLiteral("基準階層の指定"));
    RefClassFolderListBox->setAccessibleDescription(RefClassFolderListBox->objectName());
    RefClassFolderLabel->setBuddy(RefClassFolderListBox);
    OKButton = new QPushButton(QStringLiteral("OK(&O)"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel(&C)"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(RefClassFolderListBox, &QListWidget::currentRowChanged, this, &TClassCopyForm::showHint);
    connect(RefClassFolderListBox, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TClassCopyForm::setLevels(const std::vector<std::string>& levels) {
    RefClassFolderListBox->clear();
    for (const auto& level : levels) RefClassFolderListBox->addItem(displayPath(level));
    if (!levels.empty()) RefClassFolderListBox->setCurrentRow(0);
    showHint();

    const int rows = std::clamp(int(levels.size()), 1, MaxRows);
    const int rowHeight = std::max(RefClassFolderListBox->sizeHintForRow(0),
                                   RefClassFolderListBox->fontMetrics().height());
    const int listHeight = rows * rowHeight + 2 * RefClassFolderListBox->frameWidth();
    const int labelHeight = RefClassFolderLabel->sizeHint().height();
    const int listTop = kMargin + labelHeight + 4;
    const int buttonTop = listTop + listHeight + kMargin;
    const int height = buttonTop + kButtonHeight + kMargin;

    // Wide enough for the longest level, within the screen.
    int widest = 0;
    for (int i = 0; i < RefClassFolderListBox->count(); ++i)
        widest = std::max(widest, RefClassFolderListBox->fontMetrics().horizontalAdvance(
                                      RefClassFolderListBox->item(i)->text()));
    const int screenWidth = platform().screen->size().width();
    const int width = std::clamp(widest + 2 * kMargin + 32, kMinWidth,
                                 std::max(kMinWidth, screenWidth * 4 / 5));
    RefClassFolderListBox->setGeometry(kMargin, listTop, width - 2 * kMargin, listHeight);
    setFixedHeight(height);
    setMinimumWidth(width);
    resize(width, height);
    placeControls();
    SetDialogPosition(this);
}

int TClassCopyForm::chosenLevel() const { return RefClassFolderListBox->currentRow(); }

void TClassCopyForm::showHint() {
    const QListWidgetItem* item = RefClassFolderListBox->currentItem();
    RefClassFolderListBox->setToolTip(item ? item->text() : QString());
}

void TClassCopyForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeControls();
}

// The list takes the width; OK and Cancel stay centred under it.
void TClassCopyForm::placeControls() {
    RefClassFolderLabel->setGeometry(kMargin, kMargin, width() - 2 * kMargin,
                                     RefClassFolderLabel->sizeHint().height());
    QRect list = RefClassFolderListBox->geometry();
    list.setWidth(width() - 2 * kMargin);
    RefClassFolderListBox->setGeometry(list);
    const int top = list.bottom() + 1 + kMargin;
    const int left = (width() - 2 * kButtonWidth - kMargin) / 2;
    OKButton->setGeometry(left, top, kButtonWidth, kButtonHeight);
    CancelButton->setGeometry(left + kButtonWidth + kMargin, top, kButtonWidth, kButtonHeight);
}
