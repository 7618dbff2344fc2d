// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times serial renaming, the extension change and the removal of folders
// without files, each through its action in the real window (offscreen) up
// to the repainted panes. Usage:
//   bench_rename WORKDIR FILES FOLDERS
// makes FILES photos and a tree of FOLDERS folders below WORKDIR and prints
// one "name milliseconds" line per step; exits 1 when a step did not do all
// of its work.
//   bench_rename tree FOLDER FOLDERS
// only makes the tree at FOLDER (for a tool to compare with).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <QAction>
#include <QApplication>

#include "BenchPlatform.h"
#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "engine/IFileSystem.h"
#include "platform/ApplicationSetup.h"
#include "platform/Platform.h"
#include "rename/RenamePlan.h"

namespace fs = std::filesystem;

namespace {

// Answers the input boxes from a script and keeps the last message.
class ScriptedDialogs : public NoDialogs {
public:
    QString inputBox(const QString&, const QString&, const QString& d) override {
        if (answers.empty()) return d;
        const QString a = answers.front();
        answers.pop_front();
        return a;
    }
    int messageBox(const QString& text, const QString& caption, int flags) override {
        last = text;
        return NoDialogs::messageBox(text, caption, flags);
    }
    std::deque<QString> answers;
    QString last;
};

double timed(TCopyForm& form, const char* action) {
    QCoreApplication::processEvents();
    const auto start = Clock::now();
    form.action(action)->trigger();
    QCoreApplication::processEvents();
    form.fileListBox2()->viewport()->repaint();
    form.dataListBox()->viewport()->repaint();
    return msSince(start);
}

std::vector<std::string> makePhotos(const std::string& folder, int count) {
    fs::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "DSC_%05d.JPG", i);
        paths.push_back(folder + "/" + name);
        std::ofstream(paths.back()) << "jpeg";
    }
    return paths;
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> paths;
    for (const auto& e : fs::directory_iterator(folder)) paths.push_back(e.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

// FOLDERS folders in groups below tree; one folder of each group holds a
// file. Returns the number of groups.
int makeTree(const std::string& tree, int folders) {
    const int groups = std::max(1, int(std::sqrt(double(folders))));
    for (int i = 0; i < folders; ++i) {
        const std::string folder = tree + "/d" + std::to_string(i % groups) + "/e" + std::to_string(i);
        fs::create_directories(folder);
        if (i < groups) std::ofstream(folder + "/keep.txt") << "x";
    }
    return groups;
}

bool check(bool ok, const char* what, ScriptedDialogs& dialogs) {
    if (!ok) std::fprintf(stderr, "%s: not all done (%s)\n", what, qPrintable(dialogs.last));
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WORKDIR FILES FOLDERS | tree FOLDER FOLDERS\n", argv[0]);
        return 2;
    }
    if (std::string(argv[1]) == "tree") {
        makeTree(argv[2], std::atoi(argv[3]));
        return 0;
    }
    const std::string work = argv[1];
    const int files = std::atoi(argv[2]);
    const int folders = std::atoi(argv[3]);
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();
    ScriptedDialogs dialogs;
    dialogs.verbose = false;
    ScratchSettings settings(work);
    platform().dialogs = &dialogs;
    platform().settingsLocation = &settings;

    TCopyForm form;
    form.resize(1200, 800);
    form.show();
    const std::string photos = work + "/photos";
    const std::vector<std::string> paths = makePhotos(photos, files);
    form.directoryListBox1()->setDirectory(work);
    form.directoryListBox2()->setDirectory(photos);
    QCoreApplication::processEvents();
    bool ok = true;

    // The plan alone: the names and the checks of the file system.
    IFileSystem& fsys = *platform().fileSystem;
    const NameProbe probe{[&](const std::string& p) { return fsys.fileExists(p); },
                          [&](const std::string& p) { return fsys.fileExists(p) || fsys.directoryExists(p); }};
    auto start = Clock::now();
    const auto plan = planRenames(paths, serialNameRule({"IMG", "00001"}, paths.size()), probe);
    std::printf("plan %.1f\n", msSince(start));
    ok &= check(plan.size() == paths.size(), "plan", dialogs);

    form.dataListBox()->list()->setRows(paths);
    dialogs.answers = {QStringLiteral("IMG00001")};
    std::printf("serial_rename %.1f\n", timed(form, "ReNameAllFile"));
    ok &= check(dialogs.last == QStringLiteral("終了しました。") &&
                    form.fileListBox2()->list()->at(0) == "IMG00001.JPG",
                "serial_rename", dialogs);

    form.dataListBox()->list()->setRows(filesIn(photos));
    dialogs.answers = {QStringLiteral("png")};
    std::printf("extension_change %.1f\n", timed(form, "FileExtToNewExt"));
    ok &= check(dialogs.last == QStringLiteral("終了しました。") &&
                    form.fileListBox2()->list()->at(0) == "IMG00001.png",
                "extension_change", dialogs);

    const std::string tree = work + "/tree";
    const int groups = makeTree(tree, folders);
    form.directoryListBox2()->setDirectory(tree);
    QCoreApplication::processEvents();
    ::sync();  // as before the tool it is compared with: no writeback of the set-up in the figure
    std::printf("remove_empty_folders %.1f\n", timed(form, "DeleteNoFileDirectory"));
    std::printf("removed_folders %zu\n", form.dataListBox()->list()->size());
    ok &= check(form.dataListBox()->list()->size() == std::size_t(folders - std::min(groups, folders)),
                "remove_empty_folders", dialogs);
    form.hide();
    return ok ? 0 : 1;
}
