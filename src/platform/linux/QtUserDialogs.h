// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/IUserDialogs.h"

// Message boxes and file dialogs built from Qt's standard dialogs; the two input
// dialogs of their own.
class QtUserDialogs : public IUserDialogs {
public:
    int messageBox(const QString& text, const QString& caption, int flags) override;
    void applicationMessage(const QString& text) override;
    void errorReport(const QString& text) override;
    QString inputBox(const QString& caption, const QString& prompt,
                     const QString& defaultText) override;
    std::optional<QString> askText(const QString& prompt, const QString& caption,
                                   const QString& defaultText, bool caretAtEnd) override;
    std::optional<std::string> saveFileName(const QString& caption, const std::string& folder,
                                            const std::string& fileName,
                                            const QStringList& filters,
                                            int& filterIndex) override;
    std::optional<int> chooseBaseLevel(const std::vector<std::string>& levels) override;
    std::optional<std::string> chooseFolder(const QString& caption,
                                            const std::string& start) override;
};
