// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// Byte paths: "/" separates, "/" alone is the root.

// Text up to the last "/"; that "/" is kept only when it is the root (or
// directly follows another "/"). "/a/x.txt" -> "/a", "/x.txt" -> "/".
std::string folderPart(const std::string& path);
// Text after the last "/".
std::string fileNamePart(const std::string& path);
// From the last "." of the last component, with the dot; empty without one.
std::string extensionPart(const std::string& path);
// path without extensionPart(path).
std::string withoutExtension(const std::string& path);
// folder + "/" (unless folder already ends with "/") + name.
std::string joinPath(const std::string& folder, const std::string& name);
// folder with a trailing "/" added when missing.
std::string withTrailingSlash(const std::string& folder);
// folder without a trailing "/" unless it is the root.
std::string withoutTrailingSlash(const std::string& folder);
// ASCII lower case.
std::string asciiLower(std::string text);
// ASCII upper case.
std::string asciiUpper(std::string text);

