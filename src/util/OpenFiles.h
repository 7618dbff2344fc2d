// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

// Some process has the file (dev, ino) open, as /proc/*/fd shows; true when
// /proc cannot be read (a caller then keeps the file).
bool openByAnyProcess(dev_t dev, ino_t ino);
