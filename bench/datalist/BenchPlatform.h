// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Dialogs and settings for the data-list benchmarks: no dialog waits for an
// answer, the save dialog answers a chosen path, settings stay in a scratch
// folder.
#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/ISettingsLocation.h"
#include "platform/linux/QtUserDialogs.h"

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The program's dialogs, except that nothing waits for an answer.
class NoDialogs : public QtUserDialogs {
public:
    int messageBox(const QString& text, const QString&, int) override {
        if (verbose) std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return 6;  // Yes (an OK box ignores it)
    }
    void applicationMessage(const QString& text) override { messageBox(text, {}, 0); }
    void errorReport(const QString& text) override { messageBox(text, {}, 0); }
    QString inputBox(const QString&, const QString&, const QString& d) override { return d; }
    std::optional<QString> askText(const QString&, const QString&, const QString&, bool) override {
        return std::nullopt;
    }
    std::optional<int> chooseBaseLevel(const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<std::string> saveFileName(const QString&, const std::string&,
                                            const std::string&, const QStringList&, int&) override {
        if (saveAs.empty()) return std::nullopt;
        return saveAs;
    }
    std::optional<std::string> chooseFolder(const QString&, const std::string&) override {
        return std::nullopt;
    }
    std::string saveAs;
    bool verbose = true;
};

class ScratchSettings : public ISettingsLocation {
public:
    explicit ScratchSettings(std::string folder) : folder_(std::move(folder)) {}
    std::string settingsFile() override { return folder_ + "/Dorvanquellis.ini"; }
    std::string executableFolder() override { return folder_ + "/"; }
    std::string defaultFolder() override { return folder_ + "/"; }

private:
    std::string folder_;
};
