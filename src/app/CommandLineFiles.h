// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// The files the program was started with (the desktop entry passes them), as
// full paths in argument order: a relative one is taken from currentFolder,
// an empty one is left out.
std::vector<std::string> CommandLineFiles(const std::vector<std::string>& arguments,
                                          const std::string& currentFolder);
// The same, from the process's current folder.
std::vector<std::string> CommandLineFiles(const std::vector<std::string>& arguments);
