// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// SIGTERM, SIGHUP and SIGINT end the program as the user would: a file
// operation in progress is cancelled, open dialogs are dismissed, and then
// window is closed, so that its closing step (settings written) runs before
// the program ends.
void CloseOnTerminationSignals(QWidget* window);

// Ends the program as a termination signal does (a close of window during a
// file operation).
void CloseForTermination(QWidget* window);
