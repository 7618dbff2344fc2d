// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class TCopyForm;

// The program: the command line (--help, --version and a wrong option are
// answered without a window), application object, title and help file, the
// main window with the files named on the command line in its data list, the
// utility object, then the message loop. beforeLoop (optional) sees the main
// window after it was shown and before the loop runs.
int RunApplication(int& argc, char** argv,
                   const std::function<void(TCopyForm&)>& beforeLoop = {});
