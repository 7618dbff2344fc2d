// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class TCopyForm;

// The settings file: read once when the window is created, written once when
// it closes.
void LoadSettings(TCopyForm& form);
// Writes nothing for a window whose settings were never loaded, so that a
// failed start does not replace the file with defaults.
void SaveSettings(TCopyForm& form);
