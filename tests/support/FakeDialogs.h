// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/IUserDialogs.h"

// Records every message, question and dialog; answers from scripts. A
// question (more than an OK button) with no scripted answer fails the test.
class FakeDialogs : public IUserDialogs {
public:
    enum class Kind { MessageBox, ApplicationMessage, ErrorReport, InputBox, AskText, SaveFile, BaseLevel, ChooseFolder };
    struct Shown {
        Kind kind;
        QString text;
        QString caption;
        int flags;
    };

    int messageBox(const QString& text, const QString& caption, int flags) override;
    void applicationMessage(const QString& text) override;
    void errorReport(const QString& text) override;
    QString inputBox(const QString& caption, const QString& prompt,
                     const QString& defaultText) override;
    // Answers from inputs too: the scripted text as typed (trimmed here, as
    // the dialog does), nullopt for any close but OK.
    std::optional<QString> askText(const QString& prompt, const QString& caption,
                                   const QString& defaultText, bool caretAtEnd) override;
    // Records the request in lastSave; answers from saveNames, and sets the
    // chosen entry from saveFilterIndexes when one is scripted.
    std::optional<std::string> saveFileName(const QString& caption, const std::string& folder,
                                            const std::string& fileName,
                                            const QStringList& filters,
                                            int& filterIndex) override;
    // Answers from baseLevels; levels keeps what was offered.
    std::optional<int> chooseBaseLevel(const std::vector<std::string>& levels) override;
    std::optional<std::string> chooseFolder(const QString& caption,
                                            const std::string& start) override;

    void reset();
    // Texts of everything shown, in order.
    QStringList texts() const;

    std::vector<Shown> shown;
    QString lastDefault;                             // default text of the last input box or askText
    std::deque<int> answers;                         // message-box button ids
    std::deque<std::optional<QString>> inputs;       // input boxes and askText; nullopt: Cancel
    std::deque<std::optional<std::string>> saveNames;
    std::deque<int> saveFilterIndexes;
    struct SaveRequest {
        std::string folder, fileName;
        QStringList filters;
        int filterIndex = -1;
    } lastSave;
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<int>> baseLevels;       // nullopt: Cancel
    std::vector<std::string> levels;                 // offered by the last base-level dialog
};
