#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Times serial renaming and the extension change of FILES photos in one
# folder, and the removal of FOLDERS empty folders, each through its action
# in the real window (offscreen), up to the repainted panes. Prints the
# median of ROUNDS runs per step and checks it against the target:
#   plan                  the rename plan alone (names, existence checks)
#   serial_rename         ReNameAllFile, base IMG00001
#   extension_change      FileExtToNewExt to .png
#   remove_empty_folders  DeleteNoFileDirectory on a tree of FOLDERS folders
#   find_empty_delete     find -mindepth 1 -depth -type d -empty -delete on
#                         the same tree, right after ours (the disk's own
#                         speed at that moment); the ratio ours / find follows
#   BUILD_DIR   build folder (default: build/bench)
#   FILES       photos (default: 10000)
#   FOLDERS     folders of the tree (default: 10000; every hundredth holds a file)
#   ROUNDS      runs (default: 5)
#   WORK        folder for the data (default: /var/tmp)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build/bench}
files=${FILES:-10000}
folders=${FOLDERS:-10000}
rounds=${ROUNDS:-5}

if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" -DDORVAN_BUILD_BENCH=ON >/dev/null
else
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVAN_BUILD_BENCH=ON \
        -DDORVAN_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target bench_rename >/dev/null
driver="$build/bench/rename/bench_rename"

scratch=$(mktemp -d "${WORK:-/var/tmp}/dorvan-rename-XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }
for r in $(seq "$rounds"); do
    rm -rf "$scratch/work"
    mkdir -p "$scratch/work"
    "$driver" "$scratch/work" "$files" "$folders" >> "$scratch/figures"
    "$driver" tree "$scratch/work/find-tree" "$folders"
    sync
    start=$(ms)
    find "$scratch/work/find-tree" -mindepth 1 -depth -type d -empty -delete
    echo "find_empty_delete $(awk -v a="$start" -v b="$(ms)" 'BEGIN { print b - a }')" >> "$scratch/figures"
done

echo "files $files, folders $folders, rounds $rounds (median ms)"
median() {
    awk -v s="$1" '$1 == s { print $2 }' "$scratch/figures" | sort -n |
        awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
for step in plan serial_rename extension_change; do
    m=$(median "$step")
    verdict=$(awk -v m="$m" 'BEGIN { print (m < 2000 ? "under 2 s" : "OVER 2 s") }')
    printf '%-22s %8.1f  %s\n' "$step" "$m" "$verdict"
done
ours=$(median remove_empty_folders)
theirs=$(median find_empty_delete)
printf '%-22s %8.1f\n%-22s %8.1f\n' remove_empty_folders "$ours" find_empty_delete "$theirs"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "remove-vs-find: %.2fx\n", a / b }'
