// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// Local byte paths of the file:// URIs in a text/uri-list payload, in order.
// Comment lines and URIs of other schemes are left out.
std::vector<std::string> localPathsFromUriList(const std::string& uriList);
