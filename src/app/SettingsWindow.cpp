// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SettingsWindow.h"

#include <algorithm>

bool fillsScreen(int width, int height, QSize screen) {
    return width >= screen.width() || height >= screen.height();
}

bool isOffEveryScreen(const QRect& frame, const std::vector<QRect>& screens) {
    return std::none_of(screens.begin(), screens.end(),
                        [&frame](const QRect& s) { return s.intersects(frame); });
}
