// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

using NameTaken = std::function<bool(const std::string& path)>;

// base_NN.ext with number padded to digits (never shortened), the base cut
// at a whole character so that the name fits 255 bytes; empty when even the
// counter and ext do not fit. Every numbered name is made here.
std::string NumberedName(const std::string& base, const std::string& ext, std::uint32_t number,
                         int digits, std::size_t maxNameBytes = 255);

// path when it is not taken, else the first free base_NN.ext (digits clamped
// to 1..5, counting on past the padded width); empty when none is found.
std::string UniqueFileName(const std::string& path, int digits, const NameTaken& taken);
// The first folder/001, folder/002, ... that is not taken; empty when none.
std::string UniqueFolderName(const std::string& folder, const NameTaken& taken);

// A free name for path when something already stands there: the first of
// base_01.ext, base_02.ext, ... (01 to 99, then 100 and on) that is not
// taken. Folders and dot-names without a further dot keep their whole name
// as base ("photos_01", ".profile_01"). Empty when no free name is found.
std::string collisionFreeName(const std::string& path, bool isFolder, const NameTaken& taken,
                              std::size_t maxNameBytes = 255);
