#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Dorvanquellis with its tests, checks its Debian package (lintian) and
# the licence of every file (reuse lint), and runs every test (headless; the
# journeys bring their own X display each).
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVAN_BUILD_TESTS=ON
cmake --build build/test
# The package as a distribution checks it, and the licence of every file.
scripts/check-package.sh build/test
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
