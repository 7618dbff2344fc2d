#pragma once

#include "platform/ITrash.h"

// The freedesktop.org trash through GIO's g_file_trash.
class GioTrash : public ITrash {
public:
    Result moveToTrash(const std::string& path, std::string& reason) override;
};
