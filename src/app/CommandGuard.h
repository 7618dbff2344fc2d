// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// Runs a command handler; a failure it did not catch itself ends in the
// standard error report instead of unwinding through the event loop.
void RunGuarded(const std::function<void()>& handler);
