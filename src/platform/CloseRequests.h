// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// A request to close the main window is never lost. Qt drops a window
// manager's close while a modal dialog is open, and a running file operation
// makes the window's own close inert; so a request that arrives then
// - during a file operation ends the program as a termination signal does
//   (the operation is cancelled, its dialogs dismissed, the window closed);
// - while a dialog is open is kept, and carried out once the dialog is
//   answered and the command that opened it has returned.
// At any other time Qt closes the window as usual.
void KeepCloseRequests(QWidget* window);

// What the window manager's request leads to (called by the watch).
void CloseRequested(QWidget* window);
