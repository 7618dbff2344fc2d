// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

class QWidget;

// Modal questions and notices shown to the user. Every text and caption the
// program shows passes through here, so tests can record and answer them.
class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;

    // Shows a message box; flags use the mb:: bits, the result is an id:: value.
    // "\r\n" in text is a line break.
    virtual int messageBox(const QString& text, const QString& caption, int flags) = 0;

    // The plain application message: application title as caption, OK only.
    virtual void applicationMessage(const QString& text) = 0;

    // The standard report of an uncaught failure: application title as caption,
    // error icon, OK only.
    virtual void errorReport(const QString& text) = 0;

    // The standard one-line input box; yields the edit text on OK and
    // defaultText otherwise.
    virtual QString inputBox(const QString& caption, const QString& prompt,
                             const QString& defaultText) = 0;

    // The program's own input dialog: prompt (wrapped over as many lines as it
    // needs), caption, an edit field holding defaultText (all selected, or
    // with the caret after it when caretAtEnd). The edit text trimmed of
    // blanks and control characters on OK; nothing on any other close.
    virtual std::optional<QString> askText(const QString& prompt, const QString& caption,
                                           const QString& defaultText, bool caretAtEnd) = 0;

    // Save-file dialog. filters are Qt name filters ("(*.txt) (*.txt)"; the
    // dialog shows the part before the last parentheses); filterIndex is the
    // entry shown first and, on return, the entry chosen. Empty result when
    // the user cancels. Asks nothing about existing files.
    virtual std::optional<std::string> saveFileName(const QString& caption,
                                                    const std::string& folder,
                                                    const std::string& fileName,
                                                    const QStringList& filters,
                                                    int& filterIndex) = 0;

    // The base-level dialog of the hierarchy-keeping copy and move: levels
    // (root first) in a list, the first one chosen. The chosen index on OK;
    // nothing on any other close.
    virtual std::optional<int> chooseBaseLevel(const std::vector<std::string>& levels) = 0;

    // Folder chooser; empty result when the user cancels.
    virtual std::optional<std::string> chooseFolder(const QString& caption,
                                                    const std::string& start) = 0;
};
