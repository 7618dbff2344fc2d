// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/DirectoryListBox.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QIcon>
#include <QStyle>

#include "controls/FolderFiles.h"
#include "controls/FolderListing.h"
#include "controls/FolderWatch.h"
#include "controls/ScrollPosition.h"
#include "engine/IFileSystem.h"
#include "platform/IVolumeInfo.h"
#include "platform/Platform.h"
#include "util/PathText.h"
#include "util/DisplayText.h"

struct DirectoryEntry {
    std::string name;
    std::string path;
    int level;
    bool open;  // root, an ancestor or the current folder

    bool operator==(const DirectoryEntry&) const = default;
};

class DirectoryEntryModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // An entry's name without its indentation.
    static constexpr int NameRole = Qt::UserRole + 1;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(entries.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= int(entries.size())) return {};
        const DirectoryEntry& e = entries[std::size_t(index.row())];
        switch (role) {
            case Qt::DisplayRole:
            case Qt::AccessibleTextRole:
                return QString(e.level * 2, QLatin1Char(' ')) + displayPath(e.name);
            case NameRole:
                return displayPath(e.name);
            case Qt::DecorationRole:
                return folderIcon(e.open);
            default:
                return {};
        }
    }

    // Type-ahead looks for the name a user sees, not its indentation.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override {
        return QAbstractListModel::match(start, role == Qt::DisplayRole ? NameRole : role, value,
                                         hits, flags);
    }

    void set(std::vector<DirectoryEntry> e) {
        beginResetModel();
        entries = std::move(e);
        endResetModel();
    }

    std::vector<DirectoryEntry> entries;

private:
    // The style's folder icons, looked up once: every painted row asks.
    const QIcon& folderIcon(bool open) const {
        QIcon& icon = open ? openIcon_ : closedIcon_;
        if (icon.isNull())
            icon = QApplication::style()->standardIcon(open ? QStyle::SP_DirOpenIcon
                                                            : QStyle::SP_DirClosedIcon);
        return icon;
    }
    mutable QIcon openIcon_, closedIcon_;
};

DirectoryListBox::DirectoryListBox(QWidget* parent)
    : QListView(parent), model_(new DirectoryEntryModel(this)), watch_(new FolderWatch(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListView::activated, this, &DirectoryListBox::openEntry);
    connect(this, &QListView::doubleClicked, this, &DirectoryListBox::openEntry);
    connect(watch_, &FolderWatch::changed, this, &DirectoryListBox::folderChanged);
}

void DirectoryListBox::openEntry(const QModelIndex& index) {
    if (index.isValid()) setDirectory(entryPath(index.row()));
}

bool DirectoryListBox::setDirectory(const std::string& folder) {
    if (folder.empty()) return false;
    const std::string target = normalisedFolder(folder);
    if (!platform().fileSystem->directoryExists(target)) return false;
    std::vector<DirEntry> probe;
    if (!platform().fileSystem->listDirectory(target, probe)) return false;
    rebuild(target);
    if (fileList_) fileList_->setDirectory(directory_);
    Q_EMIT directoryChanged();
    return true;
}

void DirectoryListBox::reread() {
    if (directory_.empty()) return;
    if (!platform().fileSystem->directoryExists(directory_)) return;
    rebuild(directory_);
    if (fileList_) fileList_->reread();
}

void DirectoryListBox::rebuild(const std::string& folder) {
    directory_ = folder;
    watch_->setFolder(folder);
    const std::string root = platform().volumes->volumeRootOf(folder);
    std::vector<DirectoryEntry> entries;
    entries.push_back({root, root, 0, true});
    const std::string rest =
        folder.size() > root.size() ? folder.substr(root == "/" ? 1 : root.size() + 1) : "";
    std::string path = root;
    int level = 1;
    for (std::size_t pos = 0; pos < rest.size();) {
        std::size_t end = rest.find('/', pos);
        if (end == std::string::npos) end = rest.size();
        const std::string name = rest.substr(pos, end - pos);
        path = joinPath(path, name);
        entries.push_back({name, path, level++, true});
        pos = end + 1;
    }
    const int current = int(entries.size()) - 1;
    for (auto& name : listSubfolders(folder))
        entries.push_back({name, joinPath(folder, name), level, false});
    model_->set(std::move(entries));
    setCurrentIndex(model_->index(current));
}

void DirectoryListBox::folderChanged() {
    if (directory_.empty() || !platform().fileSystem->directoryExists(directory_)) return;
    watch_->setFolder(directory_);  // watches again a folder that was removed and made anew
    const int current = currentEntry();
    std::vector<DirectoryEntry> entries(model_->entries.begin(),
                                        model_->entries.begin() + current + 1);
    const int level = entries.back().level + 1;
    for (auto& name : listSubfolders(directory_))
        entries.push_back({name, joinPath(directory_, name), level, false});
    if (entries == model_->entries) return;
    const QModelIndex highlighted = currentIndex();
    const std::string keep = highlighted.isValid() ? entryPath(highlighted.row()) : directory_;
    const ScrollPosition scroll = ScrollPosition::of(this);
    model_->set(std::move(entries));
    int row = current;
    for (int i = 0; i < entryCount(); ++i)
        if (model_->entries[std::size_t(i)].path == keep) row = i;
    setCurrentIndex(model_->index(row));
    scroll.restore(this);
}

int DirectoryListBox::entryCount() const { return int(model_->entries.size()); }

std::string DirectoryListBox::entryPath(int i) const {
    if (i < 0 || i >= entryCount()) return {};
    return model_->entries[std::size_t(i)].path;
}

int DirectoryListBox::currentEntry() const {
    for (int i = 0; i < entryCount(); ++i)
        if (!model_->entries[std::size_t(i)].open) return i - 1;
    return entryCount() - 1;
}
