// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// Centres window horizontally on the screen, a quarter of the free height
// from the top.
void SetDialogPosition(QWidget* window);
