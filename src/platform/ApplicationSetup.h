// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;

// Title, help file, Japanese translation of Qt's standard dialogs and the
// Japanese UI font.
void SetUpApplication(QApplication& app);
