#include "app/BrowsingPanes.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "app/CopyForm.h"
#include "app/DataFile.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "platform/IFileSystem.h"
#include "platform/Platform.h"
#include "util/ApU.h"
#include "util/PathText.h"

namespace {

void notice(const QString& text) { TApU::MsgBox(text, ConfirmCaption, 0); }

// Moves tree to folder; a failure is reported as an uncaught one would be.
void moveTreeOrReport(DirectoryListBox* tree, const std::string& folder) {
    if (!tree->setDirectory(folder))
        ShowErrorReport(QStringLiteral("フォルダを開けません: ") + displayPath(folder));
}

}  // namespace

void BrowsingPanes::FileListBox1Change() {
    if (!form_.FormReady) return;
    FileListBox& files = *form_.FileListBox1;
    // A change in the folder must not wipe search results from the lists.
    if (files.autoRefreshing() && !leftListsShowFolder()) return;

    PathListBox& names = *form_.FileNameListBox;
    PathListBox& paths = *form_.FilePathListBox;
    const bool sameFolder = builtFolder_ == files.directory();
    builtFolder_ = files.directory();
    std::string currentPath;
    if (const int row = names.currentRow(); sameFolder && row >= 0 && row < paths.count())
        currentPath = paths.list()->at(std::size_t(row));

    std::vector<std::string> fullPaths;
    fullPaths.reserve(std::size_t(files.count()));
    for (int row = 0; row < files.count(); ++row) fullPaths.push_back(files.fullPath(row));
    std::vector<std::string> fileNames = files.list()->rows();

    int keep = -1;
    if (!currentPath.empty())
        for (std::size_t i = 0; i < fullPaths.size() && keep < 0; ++i)
            if (fullPaths[i] == currentPath) keep = int(i);
    if (sameFolder) {
        paths.replaceRows(std::move(fullPaths), keep);
        names.replaceRows(std::move(fileNames), keep);
    } else {
        paths.list()->setRows(std::move(fullPaths));
        names.list()->setRows(std::move(fileNames));
    }
}

bool BrowsingPanes::leftListsShowFolder() const {
    if (!form_.SearchingButton->isHidden()) return false;  // a search is filling them
    const std::string& folder = form_.FileListBox1->directory();
    for (const std::string& path : form_.FilePathListBox->list()->rows())
        if (folderPart(path) != folder) return false;
    return true;
}

void BrowsingPanes::FileNameListBoxClick() {
    PathListBox& names = *form_.FileNameListBox;
    PathListBox& paths = *form_.FilePathListBox;
    form_.DataListBox->list()->clear();
    if (names.count() > 0) {
        if (names.currentRow() < 0) names.setCurrentRow(0);
        const int row = names.currentRow();
        const std::string ext = extensionPart(names.list()->at(std::size_t(row)));
        if (!ext.empty()) {
            const std::string key = asciiLower(ext) + ";";
            if (row >= paths.count()) {
                notice(QStringLiteral("FileNameListBoxClick Error"));
                return;
            }
            const std::string path = paths.list()->at(std::size_t(row));
            if (form_.DataFileExtensions.find(key) != std::string::npos) {
                if (platform().fileSystem->fileExists(path)) {
                    loadDataFile(path);
                } else {
                    notice(displayPath(fileNamePart(path)) +
                           QStringLiteral(" が見つかりませんでした。"));
                    names.list()->removeAt(std::size_t(row));
                    paths.list()->removeAt(std::size_t(row));
                }
            }
        }
    }
    UpdateDataListHint();
}

void BrowsingPanes::loadDataFile(const std::string& path) {
    std::vector<std::string> rows;
    const DataFileRead result = readDataFile(path, rows);
    if (result != DataFileRead::Ok) {
        const QString name = displayPath(fileNamePart(path));
        const QString text = result == DataFileRead::TooLarge
                                 ? QStringLiteral(" は大きすぎるため読み込めませんでした。")
                                 : QStringLiteral(" を読み込めませんでした。");
        notice(name + text);
        return;
    }
    PathListBox& data = *form_.DataListBox;
    data.setUpdatesEnabled(false);
    data.list()->setRows(std::move(rows));
    if (data.count() > 0) {
        data.setCurrentRow(0);
        data.selectRow(0);
    }
    data.setUpdatesEnabled(true);
}

void BrowsingPanes::DataListBoxClick() { UpdateDataListHint(); }

void BrowsingPanes::UpdateDataListHint() {
    PathListBox& data = *form_.DataListBox;
    const int row = data.currentRow();
    if (data.count() == 0 || row < 0) {
        data.setHint(QString(), false);
        return;
    }
    data.setHint(displayPath(fileNamePart(data.list()->at(std::size_t(row)))), true);
}

void BrowsingPanes::SelectedFolder_Click(QObject* sender) {
    auto* entry = qobject_cast<QAction*>(sender);
    if (!entry) {
        TApU::MsgBox(QStringLiteral("SelectedFolder_Click Erroe(例外)"), QString(), -1);
        return;
    }
    DirectoryListBox* tree = nullptr;
    if (entry->parent() == form_.LeftSelectedFolderMenu)
        tree = form_.DirectoryListBox1;
    else if (entry->parent() == form_.RightSelectedFolderMenu)
        tree = form_.DirectoryListBox2;
    if (!tree) return;
    bool ok = false;
    const int tag = entry->property("tag").toInt(&ok);
    if (!ok || tag < 0 || std::size_t(tag) >= form_.SelectedFolderPaths.size() ||
        !tree->setDirectory(form_.SelectedFolderPaths[std::size_t(tag)]))
        notice(QStringLiteral("フォルダ設定エラー。"));
}

void BrowsingPanes::DirectorySetLeftExecute(QObject* sender) {
    if (sender && sender == form_.action("DirectorySetLeft"))
        moveTreeOrReport(form_.DirectoryListBox2, form_.DirectoryListBox1->directory());
    else if (sender && sender == form_.action("DirectorySetRight"))
        moveTreeOrReport(form_.DirectoryListBox1, form_.DirectoryListBox2->directory());
    else
        notice(QStringLiteral("予定外の呼び出しです(DirectorySetLeftExecute)。"));
}
