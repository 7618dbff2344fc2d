// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The stages of an undo or redo: each item checked, then acted on.
#include "engine/UndoSteps.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "engine/EngineUi.h"
#include "engine/FileOpErrors.h"
#include "engine/IFileSystem.h"
#include "engine/PosixFileOps.h"
#include "engine/TrashEntries.h"

using namespace posixops;

namespace {

const std::string kGone = "見つかりません。";
const std::string kChanged = "操作の後で変更されています。";
const std::string kOther = "別のものに置き換わっています。";
const std::string kTakenBack = "元の場所に別のものがあります。";
const std::string kTakenAgain = "行き先に別のものがあります。";
const std::string kNotEmpty = "フォルダが空ではありません。";
const std::string kOverwrote = "既存のファイルを上書きしたコピーなので残しました(上書きされたファイルは戻せません)。";
const std::string kKept = "コピーの後で変更されているので残しました。";
const std::string kOnlyCopy = "コピー元が変わったか見つからないので、コピーを残しました。";
const std::string kNotInTrash = "ごみ箱の中に見つかりません。";
const std::string kAttribute = "属性を変更できませんでした。";

std::string failure(int rc) { return fileOpErrorText(rc == fileop_error::Changed ? fileop_error::SourceChanged : rc); }

// Removes the object at path if it is still in state: 0, or an errno value
// or fileop_error::Changed.
int removeIfSame(const std::string& path, const FileState& state) {
    DirFd dir;
    if (int rc = openFolder(parentOf(path), dir)) return rc;
    struct stat st {};
    const std::string name = nameOf(path);
    if (::fstatat(dir.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    if (!sameState(state, fileStateOf(st, state.stableIdentity))) return fileop_error::Changed;
    return ::unlinkat(dir.get(), name.c_str(), S_ISDIR(st.st_mode) ? AT_REMOVEDIR : 0) == 0 ? 0 : errno;
}

std::string removalFailure(int err) {
    return err == ENOTEMPTY || err == EEXIST ? kNotEmpty : fileOpErrorText(err);
}

}  // namespace

bool UndoRun::folderAt(const std::string& path, const FileState& now, const std::string& taken) {
    if (now.present() && !now.isFolder()) {
        refuse(path, taken);
        return false;
    }
    if (const int rc = now.present() ? 0 : makeFolders(path)) {
        refuse(path, failure(rc));
        return false;
    }
    return true;
}

void UndoRun::attributes() {
    for (const std::size_t i : select({UndoAction::Attribute})) {
        const UndoItem& item = entry.items[i];
        const FileState now = currentState(item.to);
        if (!sameObjectState(item.after, now)) {
            refuse(item.to, now.present() ? kOther : kGone);
            continue;
        }
        const unsigned bit = item.flags & undoflag::Hidden ? attr::Hidden : attr::ReadOnly;
        const bool on = (item.flags & undoflag::On) != 0;
        if (!services.fileSystem.setAttribute(item.to, bit, undo ? !on : on)) {
            refuse(item.to, kAttribute);
            continue;
        }
        UndoItem updated = item;
        updated.after = currentState(item.to);
        done(i, updated);
    }
}

void UndoRun::renames() {
    for (const std::size_t i : select({UndoAction::Renamed})) {
        const UndoItem& item = entry.items[i];
        const std::string& at = undo ? item.to : item.from;
        const std::string& go = undo ? item.from : item.to;
        const FileState now = currentState(at);
        if (!sameState(undo ? item.after : item.before, now)) {
            // Recorded, but a crash came before the rename: nothing to undo.
            if (undo && sameState(item.before, currentState(item.from))) phase.result(i, item, undo);
            else refuse(at, now.present() ? kChanged : kGone);
            continue;
        }
        if (currentState(go).present()) {
            refuse(go, undo ? kTakenBack : kTakenAgain);
            continue;
        }
        UndoItem updated = item;
        (undo ? updated.before : updated.after) = now;
        phase.result(i, updated, undo);  // first: a crash after the rename leaves it known
        if (const int rc = renameNoReplace(at, go)) {
            phase.result(i, item, !undo);
            refuse(at, failure(rc));
            continue;
        }
        ++result.done;
    }
}

bool UndoRun::transfers() {
    std::vector<std::size_t> moves, copies;
    std::vector<std::string> moveFrom, moveTo, copyFrom, copyTo;
    std::vector<FileState> moveExpected;
    for (const std::size_t i : select({UndoAction::Copied, UndoAction::Moved})) {
        const UndoItem& item = entry.items[i];
        const bool moved = item.action == UndoAction::Moved;
        if (undo && moved) {
            // Checked by the engine as it comes to the item (one look at each),
            // and the old place kept by a rename that never replaces: what it
            // refuses is sorted out afterwards.
            moves.push_back(i);
            moveFrom.push_back(item.to);
            moveTo.push_back(item.from);
            moveExpected.push_back(item.after);
            continue;
        }
        const FileState nowTo = currentState(item.to);
        const FileState nowFrom = currentState(item.from);
        if (!undo) {
            if (moved ? !sameState(item.before, nowFrom) : !nowFrom.present()) {
                refuse(item.from, nowFrom.present() ? kChanged : kGone);
            } else if (nowTo.present()) {
                refuse(item.to, kTakenAgain);
            } else {
                (moved ? moves : copies).push_back(i);
                (moved ? moveFrom : copyFrom).push_back(item.from);
                (moved ? moveTo : copyTo).push_back(item.to);
            }
            continue;
        }
        FileState removable = item.after;
        if (item.flags & undoflag::Replaced) {
            refuse(item.to, kOverwrote);
            continue;
        }
        if (!sameObjectState(item.after, nowTo)) {
            refuse(item.to, nowTo.present() ? kOther : kGone);
            continue;
        }
        // The copy may be all that is left of what was copied.
        if (!sameState(item.before, nowFrom)) {
            refuse(item.to, kOnlyCopy);
            continue;
        }
        if (!sameState(item.after, nowTo)) {
            const EngineUi::Answer answer = services.ui.ask(
                item.to + "\r\nはコピーの後で変更されています。\r\n削除しますか?", EngineUi::Question::YesNoCancel);
            if (answer == EngineUi::Answer::Cancel) {
                result.cancelled = true;
                return false;
            }
            if (answer == EngineUi::Answer::No) {
                refuse(item.to, kKept);
                continue;
            }
            removable = nowTo;
        }
        if (const int rc = removeIfSame(item.to, removable)) {
            refuse(item.to, failure(rc));
            continue;
        }
        done(i, item);
    }
    if (!runJob(JobKind::Copy, copies, copyFrom, copyTo)) return false;
    if (!undo) return runJob(JobKind::Move, moves, moveFrom, moveTo);
    return runJob(JobKind::Move, moves, moveFrom, moveTo, moveExpected,
                  [this](std::size_t i, int reason) { moveNotTaken(i, reason); });
}

// The engine did not take a moved item back: why, or what else to do.
void UndoRun::moveNotTaken(std::size_t i, int reason) {
    const UndoItem& item = entry.items[i];
    const FileState nowTo = currentState(item.to);
    const FileState nowFrom = currentState(item.from);
    if (!sameState(item.after, nowTo)) {
        // Recorded, but a crash came before the rename.
        if (sameState(item.before, nowFrom)) phase.result(i, item, undo);
        else refuse(item.to, nowTo.present() ? kChanged : kGone);
        return;
    }
    if (!nowFrom.present()) {
        refuse(item.to, failure(reason));
        return;
    }
    // The source stayed (its removal never came): the target is a copy.
    if (nowTo.isFolder() || !sameState(item.before, nowFrom) || sameObjectState(nowFrom, nowTo)) {
        refuse(item.from, kTakenBack);
        return;
    }
    if (const int rc = removeIfSame(item.to, item.after)) {
        refuse(item.to, failure(rc));
        return;
    }
    UndoItem updated = item;
    updated.before = nowFrom;
    done(i, updated);
}

void UndoRun::madeFolders(bool second) {
    for (const std::size_t i : select({UndoAction::FolderMade}, undo || second)) {
        const UndoItem& item = entry.items[i];
        const bool move = (item.flags & undoflag::Move) != 0;
        if (second) {
            // The redo of a move: the source folder goes once emptied.
            if (move && currentState(item.from).isFolder()) ::rmdir(item.from.c_str());
            continue;
        }
        UndoItem updated = item;
        if (!undo) {
            if (!folderAt(item.to, currentState(item.to), kTakenAgain)) continue;
            updated.after = currentState(item.to);
            done(i, updated);
            continue;
        }
        if (move && !currentState(item.from).present()) makeFolders(item.from);
        const FileState now = currentState(item.to);
        if (now.present()) {
            if (!sameObjectState(item.after, now)) {
                refuse(item.to, kOther);
                continue;
            }
            if (::rmdir(item.to.c_str()) != 0) {
                refuse(item.to, removalFailure(errno));
                continue;
            }
        }
        updated.before = currentState(item.from);
        done(i, updated);
    }
}

bool UndoRun::trash() {
    std::vector<std::size_t> again;
    std::vector<std::string> sources;
    for (const std::size_t i : select({UndoAction::Trashed})) {
        const UndoItem& item = entry.items[i];
        if (!undo) {
            if (!sameState(item.before, currentState(item.from))) {
                refuse(item.from, currentState(item.from).present() ? kChanged : kGone);
                continue;
            }
            again.push_back(i);
            sources.push_back(item.from);
            continue;
        }
        const FileState now = item.to.empty() ? FileState{} : currentState(item.to);
        if (!sameState(item.after, now) || item.to.empty()) {
            refuse(item.from, now.present() ? kChanged : kNotInTrash);
            continue;
        }
        if (currentState(item.from).present()) {
            refuse(item.from, kTakenBack);
            continue;
        }
        UndoItem updated = item;
        updated.before = now;
        phase.result(i, updated, undo);
        if (const int rc = restoreTrashEntry({item.to, item.extra}, item.from)) {
            phase.result(i, item, !undo);
            refuse(item.from, failure(rc));
            continue;
        }
        ++result.done;
    }
    return runJob(JobKind::Trash, again, sources, {});
}

void UndoRun::newFolders() {
    for (const std::size_t i : select({UndoAction::NewFolder})) {
        const UndoItem& item = entry.items[i];
        const FileState now = currentState(item.to);
        UndoItem updated = item;
        if (!undo) {
            if (now.present()) {
                refuse(item.to, kTakenAgain);
                continue;
            }
            if (const int rc = makeFolders(item.to)) {
                refuse(item.to, failure(rc));
                continue;
            }
            updated.after = currentState(item.to);
        } else if (!now.present()) {
            phase.result(i, item, undo);  // already gone
            continue;
        } else if (!sameObjectState(item.after, now)) {
            refuse(item.to, kOther);
            continue;
        } else if (::rmdir(item.to.c_str()) != 0) {
            refuse(item.to, removalFailure(errno));
            continue;
        }
        done(i, updated);
    }
}

void UndoRun::removedFolders() {
    for (const std::size_t i : select({UndoAction::RemovedFolder})) {
        const UndoItem& item = entry.items[i];
        const FileState now = currentState(item.from);
        UndoItem updated = item;
        if (undo) {
            if (!folderAt(item.from, now, kTakenBack)) continue;
            updated.before = currentState(item.from);
        } else if (now.present()) {
            if (item.before.present() && !sameObjectState(item.before, now)) {
                refuse(item.from, kOther);
                continue;
            }
            if (::rmdir(item.from.c_str()) != 0) {
                refuse(item.from, removalFailure(errno));
                continue;
            }
        }
        done(i, updated);
    }
}
