// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hierarchy/DestFolders.h"

#include "engine/IFileSystem.h"
#include "engine/UndoItem.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/PathText.h"
#include "util/SortedPaths.h"
#include "util/Termination.h"

int preMake_DestFolders(const std::vector<std::string>& targets, const std::string& destination) {
    int created = 0;
    try {
        IFileSystem& fs = *platform().fileSystem;
        const std::string root = withoutTrailingSlash(destination);
        if (root.empty() || !fs.directoryExists(root)) return 0;
        const std::string inside = withTrailingSlash(root);

        std::vector<std::string> folders;
        for (const auto& t : targets)
            if (!t.empty()) folders.push_back(folderPart(t));
        sortDroppingDuplicates(folders);
        for (const auto& folder : folders) {
            if (terminationRequested()) return created;
            if (folder.compare(0, inside.size(), inside) != 0 || fs.directoryExists(folder))
                continue;
            std::vector<std::string> missing;
            for (std::string f = folder; f.size() > inside.size() && !fs.directoryExists(f);
                 f = folderPart(f))
                missing.push_back(f);
            for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
                if (!fs.makeDirectory(*it)) {
                    notice(QStringLiteral("preMake_DestFolders Error(Mk_Dir)"));
                    return created;
                }
                if (UndoRecorder* recorder = currentUndoRecorder())
                    recorder->record({UndoAction::NewFolder, {}, *it, {}, {}, currentState(*it), 0});
                ++created;
            }
        }
    } catch (...) {
        notice(QStringLiteral("preMake_DestFolders Error"));
    }
    return created;
}
