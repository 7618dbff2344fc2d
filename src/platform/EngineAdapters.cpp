// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/EngineAdapters.h"

#include "engine/EngineUi.h"
#include "engine/IFileSystem.h"
#include "platform/MessageBoxIds.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace {

class MessageEngineUi : public EngineUi {
public:
    void notice(const std::string& text) override { ::notice(QString::fromStdString(text)); }
    Answer ask(const std::string& text, Question question) override {
        const int flags = question == Question::YesNoCancel ? mb::YesNoCancel | mb::IconInformation
                                                            : mb::YesNo;
        switch (MsgBox(QString::fromStdString(text), ConfirmCaption, flags)) {
            case id::Yes: return Answer::Yes;
            case id::No: return Answer::No;
            default: return Answer::Cancel;
        }
    }
    void errorReport(const std::string& text) override { ShowErrorReport(QString::fromStdString(text)); }
};

class InstalledRunner : public FileJobRunner {
public:
    JobOutcome run(const FileJob& job) override { return platform().fileOperations->run(job); }
};

class InstalledFileSystem : public IFileSystem {
public:
    bool fileExists(const std::string& p) override { return fs().fileExists(p); }
    bool directoryExists(const std::string& p) override { return fs().directoryExists(p); }
    std::optional<unsigned> attributes(const std::string& p) override { return fs().attributes(p); }
    bool setAttribute(const std::string& p, unsigned bit, bool on) override {
        return fs().setAttribute(p, bit, on);
    }
    bool listDirectory(const std::string& folder, std::vector<DirEntry>& out) override {
        return fs().listDirectory(folder, out);
    }
    bool makeDirectory(const std::string& p) override { return fs().makeDirectory(p); }
    bool removeDirectory(const std::string& p) override { return fs().removeDirectory(p); }
    bool renameNoReplace(const std::string& from, const std::string& to) override {
        return fs().renameNoReplace(from, to);
    }

private:
    static IFileSystem& fs() { return *platform().fileSystem; }
};

}  // namespace

EngineUi& platformEngineUi() {
    static MessageEngineUi ui;
    return ui;
}

FileJobRunner& platformJobRunner() {
    static InstalledRunner runner;
    return runner;
}

IFileSystem& platformFileSystem() {
    static InstalledFileSystem fs;
    return fs;
}

TFileOperation platformFileOperation() {
    return TFileOperation(platformEngineUi(), platformJobRunner(), platformFileSystem());
}
