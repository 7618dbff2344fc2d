// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// The window a dialog opens over: the open modal dialog, else the active
// window, else the program's main window (none before it is registered).
QWidget* dialogOwner();

// The main window registers itself once built; it is forgotten when it goes.
void setMainWindow(QWidget* window);
