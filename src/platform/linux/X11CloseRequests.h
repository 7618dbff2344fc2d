// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QWidget;

// Calls onRequest whenever the window manager asks window to close
// (WM_DELETE_WINDOW), before Qt handles the request: Qt drops such a
// request while a modal dialog is open. Does nothing on platforms other
// than X11. The watch ends with the window.
void WatchX11CloseRequests(QWidget* window, std::function<void()> onRequest);
