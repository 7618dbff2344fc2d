// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QWidget;

// Runs work once, from the event loop, right after window was painted for the
// first time: work that the first paint does not need waits until the user
// sees the window.
void AfterFirstPaint(QWidget& window, std::function<void()> work);
