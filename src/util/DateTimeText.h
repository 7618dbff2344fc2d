// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ctime>
#include <string>

// The local date and time usable in a file name: the locale's date, a space
// and its time (left out at exactly midnight), every ":" and "/" replaced by
// "_"; "ExceptName" when the text cannot be made.
std::string DateTimeText();
std::string DateTimeText(const std::tm& local);
