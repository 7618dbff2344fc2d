// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/linux/QtUserDialogs.h"

// The program's dialogs, with its own folder chooser (TGetFolderNameForm)
// in place of the standard one.
class FolderChooserDialogs : public QtUserDialogs {
public:
    std::optional<std::string> chooseFolder(const QString& caption,
                                            const std::string& start) override;
};
