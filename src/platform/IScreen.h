// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

// Size of the primary screen in pixels.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual QSize size() = 0;
};
