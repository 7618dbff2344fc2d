#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the data-list benchmark, writes a data file of 1,000,000 paths and
# times loading it into the data list (click to filled list), select-all and
# scrolling, once per list layout mode.
#   BUILD_DIR   build folder (default: build/bench)
#   ROWS        number of paths (default: 1000000)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build/bench}
rows=${ROWS:-1000000}

if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" -DDORVAN_BUILD_BENCH=ON >/dev/null
else
    cmake -S "$here" -B "$build" -G Ninja -DDORVAN_BUILD_BENCH=ON -DDORVAN_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target bench_datalist >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM
mkdir -p "$scratch/home" "$scratch/config"
file="$scratch/paths.txt"
awk -v n="$rows" 'BEGIN {
    for (i = 0; i < n; i++)
        printf "/home/user/写真/%04d/album_%03d/IMG_%07d.JPG\r\n", i / 10000, (i / 100) % 1000, i
}' > "$file"
echo "data file: $rows paths, $(du -h "$file" | cut -f1)"

for layout in single batched; do
    echo "--- layout: $layout"
    HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen \
        "$build/bench/datalist/bench_datalist" "$file" "$layout"
done
