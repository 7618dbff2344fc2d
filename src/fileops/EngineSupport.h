#pragma once

#include <string>

#include <QString>

// Helpers shared by the engine's source files.
namespace engine {

// A path the engine may hand on: an existing file (or link), and nothing a
// double-NUL list would cut short.
bool isExistingFile(const std::string& path);
// A notice with the caption "  確認" and an OK button.
void notice(const QString& text);

}  // namespace engine
