// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Platform.h"

namespace {
Platform current;
}

Platform& platform() { return current; }

ScopedPlatform::ScopedPlatform(const Platform& replacement) : saved_(current) {
    auto pick = [](auto* next, auto* now) { return next ? next : now; };
    current.dialogs = pick(replacement.dialogs, current.dialogs);
    current.clipboard = pick(replacement.clipboard, current.clipboard);
    current.screen = pick(replacement.screen, current.screen);
    current.fileSystem = pick(replacement.fileSystem, current.fileSystem);
    current.fileOperations = pick(replacement.fileOperations, current.fileOperations);
    current.fileOpUi = pick(replacement.fileOpUi, current.fileOpUi);
    current.volumes = pick(replacement.volumes, current.volumes);
    current.trash = pick(replacement.trash, current.trash);
    current.settingsLocation = pick(replacement.settingsLocation, current.settingsLocation);
    current.help = pick(replacement.help, current.help);
}

ScopedPlatform::~ScopedPlatform() { current = saved_; }
