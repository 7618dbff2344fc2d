#pragma once

#include <string>
#include <vector>

#include <QString>

// Menu caption of a selected folder: its last path component ("&" shown as
// such), "/" for the root. Trailing "/" do not count as a component.
QString selectedFolderCaption(const std::string& path);
// The selected folders as stored: joined by ";", leaving out paths with a
// line break, which one line of the file cannot hold.
std::string selectedFolderText(const std::vector<std::string>& paths);
