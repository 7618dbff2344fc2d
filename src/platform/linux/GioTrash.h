// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ITrash.h"

// The freedesktop.org trash through GIO's g_file_trash.
class GioTrash : public ITrash {
public:
    Result moveToTrash(const std::string& path, std::string& reason) override;
};
