#pragma once

#include "engine/ITrash.h"

// The freedesktop.org trash through GIO's g_file_trash.
class GioTrash : public ITrash {
public:
    Result moveToTrash(const std::string& path, std::string& reason) override;
};
