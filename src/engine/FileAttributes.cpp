// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileOperation.h"
#include "engine/IFileSystem.h"
#include "engine/UndoItem.h"

int TFileOperation::SetAttribute(const std::vector<std::string>& paths, bool hidden, int& missing) {
    return changeAttribute(paths, hidden, true, missing);
}

int TFileOperation::ClearAttribute(const std::vector<std::string>& paths, bool hidden,
                                   int& missing) {
    return changeAttribute(paths, hidden, false, missing);
}

int TFileOperation::changeAttribute(const std::vector<std::string>& paths, bool hidden, bool on,
                                    int& missing) {
    missing = 0;
    int notProcessed = 0;
    const unsigned bit = hidden ? attr::Hidden : attr::ReadOnly;
    std::size_t k = 0;
    try {
        IFileSystem& fs = fs_;
        for (; k < paths.size(); ++k) {
            const std::string& path = paths[k];
            if (!isExistingFile(path)) {
                ++missing;
                ++notProcessed;
                continue;
            }
            const std::optional<unsigned> bits = fs.attributes(path);
            if (!bits) {
                ++notProcessed;
                continue;
            }
            if (((*bits & bit) != 0) == on) continue;  // already so
            if (!fs.setAttribute(path, bit, on)) ++notProcessed;
            else if (UndoRecorder* recorder = currentUndoRecorder())
                recorder->record({UndoAction::Attribute, {}, path, {}, {}, currentState(path),
                                  (on ? undoflag::On : 0) | (hidden ? undoflag::Hidden : 0)});
        }
    } catch (...) {
        notProcessed += int(paths.size() - k);
    }
    return notProcessed;
}
