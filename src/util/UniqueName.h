#pragma once

#include <functional>
#include <string>

using NameTaken = std::function<bool(const std::string& path)>;

// path when it is not taken, else the first free base_NN.ext (digits clamped
// to 1..5, counting on past the padded width); empty when none is found.
std::string UniqueFileName(const std::string& path, int digits, const NameTaken& taken);
// The first folder/001, folder/002, ... that is not taken; empty when none.
std::string UniqueFolderName(const std::string& folder, const NameTaken& taken);
