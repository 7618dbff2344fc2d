// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DialogPosition.h"

#include <QWidget>

#include "platform/IScreen.h"
#include "platform/Platform.h"

void SetDialogPosition(QWidget* window) {
    const QSize screen = platform().screen->size();
    window->move((screen.width() - window->width()) / 2, (screen.height() - window->height()) / 4);
}
