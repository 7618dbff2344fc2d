#pragma once

#include <string>

// Reading and writing the bytes of a small settings file.

enum class FileReadResult { Read, Missing, Failed };

// The whole content of the regular file at path. Missing when nothing is
// there (or a parent is not a folder); Failed when something is there that
// cannot be read as a regular file (a folder, a FIFO, no permission).
FileReadResult readWholeFile(const std::string& path, std::string& bytes);

// Replaces the file at path with bytes through a temporary file in the same
// folder and a rename, so that the file is either old or new, never partly
// written. Creates missing folders; keeps the permissions of a replaced file;
// writes through a symlink to its target. false on failure, the old file then
// unchanged.
bool writeFileAtomically(const std::string& path, const std::string& bytes);
