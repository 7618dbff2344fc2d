// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

// A folder's ".hidden" file: the desktop's convention for hiding names
// besides dot-names, one name per line.

// Its text: empty when there is none, nothing when it exists but cannot be
// read whole. Only a regular file is read: opening a FIFO planted under that
// name would block.
std::optional<std::string> readHiddenText(const std::string& file);
// The same for the ".hidden" file of the folder open at folderFd.
std::optional<std::string> readHiddenTextAt(int folderFd);

// The lines of text, each with its own line break, in order.
std::vector<std::string> linesOf(const std::string& text);
// The name a line lists (without its LF or CRLF).
std::string nameOfLine(std::string line);
// The names text lists.
std::set<std::string> namesOf(const std::string& text);

// The names a ".hidden" file lists; nothing when it cannot be read.
std::optional<std::set<std::string>> readHiddenFile(const std::string& file);
std::optional<std::set<std::string>> readHiddenFileAt(int folderFd);
