#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Dorvanquellis and starts it.
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVAN_BUILD_TESTS=OFF
cmake --build build/release
exec build/release/src/dorvanquellis "$@"
