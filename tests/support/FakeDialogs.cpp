// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/FakeDialogs.h"

#include <gtest/gtest.h>

#include "platform/InputDialogs.h"
#include "platform/MessageBoxIds.h"

int FakeDialogs::messageBox(const QString& text, const QString& caption, int flags) {
    shown.push_back({Kind::MessageBox, text, caption, flags});
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    if ((flags & mb::ButtonMask) == mb::Ok) return id::Ok;
    ADD_FAILURE() << "unanswered question: " << text.toStdString();
    return (flags & mb::ButtonMask) == mb::YesNo ? id::No : id::Cancel;
}

void FakeDialogs::applicationMessage(const QString& text) {
    shown.push_back({Kind::ApplicationMessage, text, QString(), -1});
}

void FakeDialogs::errorReport(const QString& text) {
    shown.push_back({Kind::ErrorReport, text, QString(), mb::IconError});
}

QString FakeDialogs::inputBox(const QString& caption, const QString& prompt,
                              const QString& defaultText) {
    shown.push_back({Kind::InputBox, prompt, caption, 0});
    lastDefault = defaultText;
    if (inputs.empty()) {
        ADD_FAILURE() << "unanswered input box: " << prompt.toStdString();
        return defaultText;
    }
    const auto answer = inputs.front();
    inputs.pop_front();
    return answer ? *answer : defaultText;
}

std::optional<QString> FakeDialogs::askText(const QString& prompt, const QString& caption,
                                            const QString& defaultText, bool caretAtEnd) {
    shown.push_back({Kind::AskText, prompt, caption, caretAtEnd ? 1 : 0});
    lastDefault = defaultText;
    if (inputs.empty()) {
        ADD_FAILURE() << "unanswered input dialog: " << prompt.toStdString();
        return std::nullopt;
    }
    const auto answer = inputs.front();
    inputs.pop_front();
    if (!answer) return std::nullopt;
    return trimInput(*answer);
}

std::optional<std::string> FakeDialogs::saveFileName(const QString& caption,
                                                     const std::string& folder,
                                                     const std::string& fileName,
                                                     const QStringList& filters, int& filterIndex) {
    shown.push_back({Kind::SaveFile, QString(), caption, 0});
    lastSave = {folder, fileName, filters, filterIndex};
    if (!saveFilterIndexes.empty()) {
        filterIndex = saveFilterIndexes.front();
        saveFilterIndexes.pop_front();
    }
    if (saveNames.empty()) {
        ADD_FAILURE() << "unanswered save dialog";
        return std::nullopt;
    }
    auto answer = saveNames.front();
    saveNames.pop_front();
    return answer;
}

std::optional<int> FakeDialogs::chooseBaseLevel(const std::vector<std::string>& offered) {
    shown.push_back({Kind::BaseLevel, QString(), QString(), 0});
    levels = offered;
    if (baseLevels.empty()) {
        ADD_FAILURE() << "unanswered base-level dialog";
        return std::nullopt;
    }
    const auto answer = baseLevels.front();
    baseLevels.pop_front();
    return answer;
}

std::optional<std::string> FakeDialogs::chooseFolder(const QString& caption, const std::string&) {
    shown.push_back({Kind::ChooseFolder, QString(), caption, 0});
    if (folders.empty()) {
        ADD_FAILURE() << "unanswered folder chooser";
        return std::nullopt;
    }
    auto answer = folders.front();
    folders.pop_front();
    return answer;
}

void FakeDialogs::reset() {
    shown.clear();
    answers.clear();
    inputs.clear();
    saveNames.clear();
    saveFilterIndexes.clear();
    lastSave = {};
    folders.clear();
    baseLevels.clear();
    levels.clear();
}

QStringList FakeDialogs::texts() const {
    QStringList t;
    for (const auto& s : shown) t << s.text;
    return t;
}
