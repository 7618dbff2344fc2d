// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// Windows-style file masks: "*" any run, "?" one character, several patterns
// joined by ";", ASCII case-insensitive. "*.*" matches every name, and a
// pattern ending in ".*" also matches names without a dot.
bool matchesMask(const std::string& name, const std::string& mask);
bool matchesPattern(const std::string& name, const std::string& pattern);
