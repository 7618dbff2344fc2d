// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/OperationOptions.h"

JobSettings jobSettingsFor(OperationOptions options) {
    JobSettings s;
    const std::pair<OperationOption, JobOption> map[] = {
        {OperationOption::NonConfirmation, JobOption::NoConfirmation},
        {OperationOption::NonConfirmMkDir, JobOption::NoFolderQuestion},
        {OperationOption::NoErrorUi, JobOption::NoErrorUi},
        {OperationOption::RenameOnCollision, JobOption::RenameOnCollision},
        {OperationOption::Silent, JobOption::Silent},
        {OperationOption::SimpleProgress, JobOption::SimpleProgress},
    };
    for (const auto& [from, to] : map) s.options.set(to, options.has(from));
    if (options.has(OperationOption::SimpleProgress)) s.progressTitle = "しばらくお待ち下さい。";
    return s;
}
