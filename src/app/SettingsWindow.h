// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include <QRect>
#include <QSize>

// Stored bounds at least as wide or as high as the screen start maximized.
bool fillsScreen(int width, int height, QSize screen);
// frame overlaps none of the screens.
bool isOffEveryScreen(const QRect& frame, const std::vector<QRect>& screens);
