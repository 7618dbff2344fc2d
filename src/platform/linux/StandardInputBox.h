// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The standard one-line input box: the prompt above an edit field of at
// most 255 characters holding the default text all selected, "OK" pressed
// by Enter and "キャンセル" by Escape.
class StandardInputBox : public QDialog {
    Q_OBJECT
public:
    StandardInputBox(const QString& caption, const QString& prompt, const QString& defaultText,
                     QWidget* owner = nullptr);

    // Shows the box modally: the edit text unchanged on OK, the default
    // text on any other close.
    QString ask();

    QLabel* Prompt;
    QLineEdit* Edit;
    QPushButton* OkButton;
    QPushButton* CancelButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString defaultText_;
};
