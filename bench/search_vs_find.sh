#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Times the whole-tree search (start to the transferred result, as the window
# runs it) against find, bfs and fdfind on generated trees of 10,000, 100,000
# and 1,000,000 files, side by side in one run: warm cache, tools alternating
# round by round, median of the rounds. Ends with one line per size and peer:
#   search-vs-bfs-100000: 0.80x     (time of the search / time of the peer)
#
# The trees are made on an ext4 file system of their own, in an image file
# under WORK mounted through a loop device (root only; elsewhere they are made
# in WORK itself): making and removing a million files then takes seconds
# instead of minutes, and every tool walks the same warm ext4 tree.
#
# Environment: ROUNDS (default 5), SIZES (default "10000 100000 1000000"),
# WORK (parent of the trees, default /var/tmp), BUILD_DIR (default build/bench).
# Installs bfs and fd-find with apt-get when they are missing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ROUNDS=${ROUNDS:-5}
SIZES=${SIZES:-10000 100000 1000000}
WORK=${WORK:-/var/tmp}

bench_need bfs:bfs fdfind:fd-find python3:python3 mkfs.ext4:e2fsprogs
bench_build bench_search
BIN=$BUILD_DIR/bench/search/bench_search
export QT_QPA_PLATFORM=offscreen

DATA=$(mktemp -d "$WORK/dorvan-search-bench.XXXXXX")
TREES=$DATA/trees
cleanup() {
    if mountpoint -q "$TREES" 2>/dev/null; then umount "$TREES"; fi
    rm -rf --one-file-system "$DATA"
}
trap cleanup EXIT
mkdir -p "$DATA/home/config" "$TREES"
export HOME=$DATA/home XDG_CONFIG_HOME=$DATA/home/config XDG_RUNTIME_DIR=$DATA/home
chmod 0700 "$DATA/home"

# Inodes for every tree at once (each size has about 1.1 files per file
# counted: the folders), on a sparse image that grows with what is written.
inodes=$(awk -v s="$SIZES" 'BEGIN { n = split(s, v, " "); for (i = 1; i <= n; i++) t += v[i]; print int(t * 1.2) + 10000 }')
if [ "$(id -u)" = 0 ] && truncate -s 8G "$DATA/trees.img" &&
    mkfs.ext4 -q -F -N "$inodes" -E lazy_itable_init=1,lazy_journal_init=1 "$DATA/trees.img" &&
    mount -o loop,noinit_itable "$DATA/trees.img" "$TREES"; then
    echo "trees on a loop-mounted ext4 image in $DATA"
else
    echo "trees in $DATA ($(stat -f -c %T "$DATA"))"
fi

run_tool() {
    local tool=$1 tree=$2 start end
    if [ "$tool" = search ]; then
        "$BIN" "$tree" '*.mp3' 2>/dev/null | awk '{ print $1 }'
        return
    fi
    start=${EPOCHREALTIME//[.,]/}
    case $tool in
        find) find "$tree" -type f -iname '*.mp3' >/dev/null ;;
        bfs) bfs "$tree" -type f -iname '*.mp3' >/dev/null ;;
        fdfind) fdfind -uu -t f -e mp3 . "$tree" >/dev/null ;;
    esac
    end=${EPOCHREALTIME//[.,]/}
    ms_between "$start" "$end"
}

TOOLS=(search find bfs fdfind)
declare -A MEDIAN
RESULTS=()
for size in $SIZES; do
    tree=$TREES/t$size
    echo "--- $size files: building the tree ..."
    python3 "$BENCH_ROOT/bench/search/make_tree.py" "$tree" "$size"
    folders=$(find "$tree" -type d | wc -l)
    expected=$(find "$tree" -type f -iname '*.mp3' | wc -l)
    read -r _ found peak < <("$BIN" "$tree" '*.mp3' 2>/dev/null)  # also warms the cache
    if [ "$found" != "$expected" ]; then
        echo "error: the search found $found files, find $expected" >&2
        exit 1
    fi
    for tool in find bfs fdfind; do run_tool "$tool" "$tree" >/dev/null; done
    declare -A TIMES=()
    for ((r = 1; r <= ROUNDS; r++)); do
        for ((i = 0; i < ${#TOOLS[@]}; i++)); do
            tool=${TOOLS[$(((i + r) % ${#TOOLS[@]}))]}
            TIMES[$tool]+="$(run_tool "$tool" "$tree") "
        done
    done
    for tool in "${TOOLS[@]}"; do
        MEDIAN[$tool-$size]=$(echo "${TIMES[$tool]}" | tr ' ' '\n' | grep . | median)
        printf '%-7s median %8s ms   runs: %s\n' "$tool" "${MEDIAN[$tool-$size]}" "${TIMES[$tool]}"
    done
    per=$(awk -v t="${MEDIAN[search-$size]}" -v n="$size" 'BEGIN { printf "%.3f", t * 1000 / n }')
    printf 'folders: %s, matches: %s, search peak memory: %s MiB, search per 1000 files: %s ms\n' \
        "$folders" "$found" "$((peak / 1024))" "$per"
    label="search $(thousands "$size") files"
    for peer in find bfs fdfind; do
        RESULTS+=("search-vs-$peer-$size: $(ratio "${MEDIAN[search-$size]}" "${MEDIAN[$peer-$size]}")")
        target=-
        [ "$peer" = bfs ] && target="<=1.0x"
        bench_row "$label" "${MEDIAN[search-$size]}" ms "$peer" "${MEDIAN[$peer-$size]}" "$target" \
            "$per ms per 1,000 files, peak $((peak / 1024)) MiB"
    done
    # A tree on the image goes with the image, at the end.
    mountpoint -q "$TREES" || rm -rf "$tree"
done
echo "---"
printf '%s\n' "${RESULTS[@]}"
