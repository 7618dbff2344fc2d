// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The per-run temporary home (HOME and XDG_* point here).
const std::string& testHome();
void setTestHome(const std::string& home);
// Makes a fresh temporary home, points HOME and the XDG folders at it and
// returns it; in a process a test started again (a death test's child), the
// home lies inside the parent's.
std::string makeTestHome();

// A fresh folder below the test home, removed (read-only parts included) at
// the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path()/relative
    std::string operator/(const std::string& relative) const;
    // Creates a file (and its folders) with content; returns its full path.
    std::string write(const std::string& relative, const std::string& content = "x") const;
    std::string mkdir(const std::string& relative) const;

private:
    std::string path_;
};

std::string readFile(const std::string& path);
bool exists(const std::string& path);
// The owner may write path (a link is not followed).
bool ownerWritable(const std::string& path);
