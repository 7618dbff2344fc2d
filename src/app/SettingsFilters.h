#pragma once

#include <string>

class TCopyForm;

// The filter list as stored: the entries after "*.*" joined by "/".
std::string allFilterText(const TCopyForm& form);
// The checked filters as stored: with "*.*" checked, the other checked
// entries joined by ";"; otherwise the file-list mask.
std::string checkFilterText(const TCopyForm& form);
