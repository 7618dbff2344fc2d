// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QString>

// Paths are bytes; decoding to QString is for display only, and a decoded
// path never names a file again.
QString displayPath(const std::string& path);
std::string pathFromDisplay(const QString& text);
