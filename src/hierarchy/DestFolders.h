// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// Creates the folders the targets need, with their missing parents, so that
// the request finds them all. Only folders below destination are made: a
// destination that has gone (an unmounted volume) is never made anew. A
// folder that cannot be made ends the creating after
// "preMake_DestFolders Error(Mk_Dir)"; a termination request ends it
// quietly. Returns the number of folders made.
int preMake_DestFolders(const std::vector<std::string>& targets, const std::string& destination);
