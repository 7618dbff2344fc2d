// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/IScreen.h"

class QtScreen : public IScreen {
public:
    QSize size() override;
};
