// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The user's trash, as desktop file managers keep it (~/.local/share/Trash).
class ITrash {
public:
    enum class Result { Trashed, NotSupported, Failed };
    virtual ~ITrash() = default;
    // Moves path (file, folder or link, not followed) to the trash. reason
    // receives a Japanese description of a failure.
    virtual Result moveToTrash(const std::string& path, std::string& reason) = 0;
};
