// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// The user's folders the default selected folders come from.
struct UserFolders {
    std::string home;  // empty when it cannot be found
    std::string desktop;
    std::string documents;
    std::string downloads;
};

// Home from $HOME (else the password database), the others from the XDG
// user dirs.
UserFolders userFolders();

// The default selected folders, in order: the desktop, the documents, the
// executable's folder (no trailing "/" but for the root) and the downloads
// folder. A user dir that is the home itself (how XDG marks one that is not
// used) is left out.
std::vector<std::string> DefaultFolderCandidates(const UserFolders& user,
                                                 const std::string& executableFolder);
