// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QSize>
#include <QString>

#include "platform/IClipboard.h"
#include "platform/IHelpViewer.h"
#include "platform/IScreen.h"
#include "platform/ISettingsLocation.h"

class FakeClipboard : public IClipboard {
public:
    bool setText(const QString& t) override {
        if (failing) return false;
        text_ = t;
        has_ = true;
        return true;
    }
    bool hasText() override { return has_; }
    QString text() override { return has_ ? text_ : QString(); }
    TextReader textReader() override { return reader; }
    void clear() {
        text_.clear();
        has_ = false;
        failing = false;
        reader = {};
    }
    bool failing = false;
    TextReader reader;  // as another program's text comes: off the window's thread

private:
    QString text_;
    bool has_ = false;
};

class FakeScreen : public IScreen {
public:
    QSize size() override { return screenSize; }
    QSize screenSize{1920, 1080};
};

class FakeHelpViewer : public IHelpViewer {
public:
    void showContents(const QString& helpFile, QWidget*) override {
        ++calls;
        lastFile = helpFile;
        lastPage.clear();
    }
    void showPage(const QString& helpFile, const QString& page, QWidget* owner) override {
        ++calls;
        lastFile = helpFile;
        lastPage = page;
        lastOwner = owner;
    }
    int calls = 0;
    QString lastFile;
    QString lastPage;  // empty: the contents
    QWidget* lastOwner = nullptr;
};

// The settings file in the test's config folder, an executable folder that
// tests choose. The panes' default folder is the executable's (a portable
// copy) unless a test sets startFolder.
class FakeSettingsLocation : public ISettingsLocation {
public:
    std::string settingsFile() override { return file; }
    std::string executableFolder() override { return exeFolder; }
    std::string defaultFolder() override { return startFolder.empty() ? exeFolder : startFolder; }
    std::string file;
    std::string exeFolder;
    std::string startFolder;
};
