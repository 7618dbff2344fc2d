// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The program's one-line input dialog: a prompt wrapped over as many lines
// as it needs, an edit field, OK and Cancel. Created for one question.
class TInputForm : public QDialog {
    Q_OBJECT
public:
    explicit TInputForm(QWidget* owner = nullptr);

    // Shows the dialog modally with the caption after a blank and the edit
    // field holding defaultText (all selected, or the caret after it when
    // caretAtEnd). The edit text trimmed of blanks and control characters on
    // OK; nothing on any other close.
    std::optional<QString> ask(const QString& prompt, const QString& caption,
                               const QString& defaultText, bool caretAtEnd);

    // Wraps the prompt over as many lines as its one-line width needs, puts
    // the edit field under it and the two buttons, side by side and centred,
    // under the panel; the form's height follows.
    void ArrangeControls(bool caretAtEnd);

    // Placed like the program's other dialogs; the edit field takes the focus.
    void setVisible(bool visible) override;

    QFrame* MainPanel;
    QLabel* PromptLabel;
    QLineEdit* InputEdit;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool InputEditKeyDown(int key);

    bool caretAtEnd_ = false;
};
