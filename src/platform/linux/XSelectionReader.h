// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Reads the CLIPBOARD selection of an X display as UTF-8 text through a
// connection of its own, so that any thread can wait for a long transfer
// (another program's 100 MB, handed over in pieces) while the window's
// thread goes on. Nothing when the display cannot be reached, no program
// offers text, a piece does not come within silenceMs, or cancelled()
// turns true (asked between pieces and at least every 50 ms).
std::optional<std::string> readXClipboardText(const std::string& display,
                                              const std::function<bool()>& cancelled,
                                              int silenceMs = 5000);
// The same, handing the text to piece as it comes; false where the other
// gives nothing (pieces may have been handed over by then).
bool readXClipboardText(const std::string& display,
                        const std::function<void(std::string_view piece)>& piece,
                        const std::function<bool()>& cancelled, int silenceMs = 5000);
