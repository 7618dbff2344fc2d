#pragma once

#include <functional>
#include <string>

// A free name for path when something already stands there: the first of
// base_01.ext, base_02.ext, ... (01 to 99, then 100 and on) for which taken()
// is false. Folders and dot-names without a further dot keep their whole name
// as base ("photos_01", ".profile_01"). The base is shortened at a UTF-8
// character boundary when the name would exceed maxNameBytes. Empty when no
// free name is found.
std::string collisionFreeName(const std::string& path, bool isFolder,
                              const std::function<bool(const std::string&)>& taken,
                              std::size_t maxNameBytes = 255);
