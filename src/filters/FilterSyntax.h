// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// True when text is a filter: "*.*", or patterns joined by ";" each of which,
// trimmed, is "*." followed by one extension holding none of
// \ / : . ; * ? " < > |. An empty text counts as one too. text is replaced by
// its form trimmed of blanks and control characters; the blanks around a
// ";" stay.
bool ValidateFilter(std::string& text);
