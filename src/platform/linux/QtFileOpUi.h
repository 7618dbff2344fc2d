// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <initializer_list>

#include <QMessageBox>
#include <QPointer>

#include "platform/IFileOpUi.h"

class QProgressDialog;

// The file-operation service's Japanese dialogs. The progress dialog shows
// itself after a short delay, but never over an open question: while one is
// open it is held back, and a question asked while it shows is its child,
// so the question always stands in front and takes the input.
class QtFileOpUi : public IFileOpUi {
public:
    ~QtFileOpUi() override;
    Answer askOverwrite(const std::string& target, const std::string& source) override;
    bool askCreateFolder(const std::string& folder) override;
    ErrorChoice reportError(const std::string& path, const QString& reason) override;
    bool confirmTrash(const std::vector<std::string>& paths) override;
    bool confirmErase(const std::vector<std::string>& paths) override;
    Answer confirmDeletePermanently(const std::string& path) override;
    void progressBegin(QWidget* owner, const QString& title, bool simple) override;
    void progressUpdate(const QString& action, const std::string& path, long long done,
                        long long total) override;
    bool cancelRequested() override;
    void progressEnd() override;

    // How long an operation runs before its progress dialog shows.
    static constexpr int kProgressDelayMs = 500;

private:
    struct Choice {
        QString text;
        QMessageBox::ButtonRole role;
    };
    // Shows a plain-text question and returns the index of the chosen
    // button; closing the box counts as the escape button.
    int ask(QMessageBox::Icon icon, const QString& caption, const QString& text,
            std::initializer_list<Choice> choices, int defaultIndex, int escapeIndex);
    void showProgressWhenFree();

    QPointer<QProgressDialog> progress_;
    bool progressDue_ = false;  // the delay has passed
    int openQuestions_ = 0;
    bool simple_ = false;
    QString title_;
};
