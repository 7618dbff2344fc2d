// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <string>

#include <QApplication>
#include <QMenu>
#include <QSplitter>

#include "app/CopyForm.h"
#include "filters/FilterList.h"
#include "support/TestEnvironment.h"

// A settings file and an executable folder of the test's own; the window is
// created after the file is written.
class SettingsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        dir = std::make_unique<TempDir>();
        exeFolder = dir->mkdir("bin") + "/";
        settingsFile = *dir / "config/Dorvanquellis.ini";
        fakeSettingsLocation().exeFolder = exeFolder;
        fakeSettingsLocation().file = settingsFile;
    }
    void TearDown() override {
        form.reset();
        dir.reset();
    }

    void writeSettings(const std::string& text) { dir->write("config/Dorvanquellis.ini", text); }
    std::string savedSettings() const { return readFile(settingsFile); }

    TCopyForm& createForm() {
        form = std::make_unique<TCopyForm>();
        return *form;
    }
    // Shows the window created last, or a new one.
    TCopyForm& showForm() {
        if (!form) createForm();
        form->show();
        QApplication::processEvents();
        return *form;
    }
    TCopyForm& showNewForm() {
        createForm();
        return showForm();
    }
    void closeForm() {
        form->close();
        QApplication::processEvents();
    }

    std::vector<std::string> filters() const {
        std::vector<std::string> texts;
        for (const FilterEntry& e : form->Filters->entries()) texts.push_back(e.text);
        return texts;
    }
    std::vector<bool> checks() const {
        std::vector<bool> marks;
        for (const FilterEntry& e : form->Filters->entries()) marks.push_back(e.checked);
        return marks;
    }

    std::unique_ptr<TempDir> dir;
    std::string exeFolder;
    std::string settingsFile;
    std::unique_ptr<TCopyForm> form;
};
