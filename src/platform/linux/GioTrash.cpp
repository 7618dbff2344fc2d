// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GIO only: this file includes no Qt header (GIO and Qt both define "signals").
#include "platform/linux/GioTrash.h"

#include <gio/gio.h>

ITrash::Result GioTrash::moveToTrash(const std::string& path, std::string& reason) {
    GFile* file = g_file_new_for_path(path.c_str());
    GError* error = nullptr;
    const gboolean ok = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    if (ok) return Result::Trashed;
    Result result = Result::Failed;
    if (error) {
        if (error->domain == G_IO_ERROR && error->code == G_IO_ERROR_NOT_SUPPORTED)
            result = Result::NotSupported;
        reason = error->message ? error->message : "";
        g_error_free(error);
    }
    return result;
}
