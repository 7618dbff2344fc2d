#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Times the whole-tree search (the click to the transferred result, as the
# window runs it) against find, bfs and fdfind, side by side in one run, the
# tools alternating round by round, median of the rounds:
#   generated trees of 10,000, 100,000 and 1,000,000 files (SIZES), warm
#   a copy of this machine's /usr (names, folders and links; files empty),
#     mask *.h: warm on a quiet machine, warm beside two busy loops, the
#     first search of a session (no search before it), and cold (the page
#     cache dropped before every run; root only) against fdfind
#   a chain of 1,500 nested folders (CHAIN), quiet and beside two busy loops
# A row whose rounds spread more than 30% is measured once more. Ends with
# one line per row and peer:
#   search-vs-bfs-100000: 0.80x     (time of the search / time of the peer)
#
# The trees are made on an ext4 file system of their own, in an image file
# under WORK mounted through a loop device (root only; elsewhere they are made
# in WORK itself): making and removing a million files then takes seconds
# instead of minutes, and every tool walks the same ext4 tree.
#
# Environment: ROUNDS (default 5; the /usr and chain rows take at least 9,
# the rows beside busy loops at least 25),
# SIZES (default "10000 100000 1000000"), CHAIN (default 1500), SHAPES
# (default "sizes usr chain"), WORK (parent of the trees, default /var/tmp),
# BUILD_DIR (default build/bench). Installs bfs and fd-find with apt-get
# when they are missing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ROUNDS=${ROUNDS:-5}
SIZES=${SIZES:-10000 100000 1000000}
CHAIN=${CHAIN:-1500}
SHAPES=${SHAPES:-sizes usr chain}
WORK=${WORK:-/var/tmp}
MANY=$((ROUNDS > 9 ? ROUNDS : 9))
# Beside two busy loops on two cores a run either finds a core free or
# waits for one: the times fall in two groups, and a median of few rounds
# lands in either by chance.
BUSY=$((ROUNDS > 25 ? ROUNDS : 25))

bench_need bfs:bfs fdfind:fd-find python3:python3 mkfs.ext4:e2fsprogs
bench_build bench_search
BIN=$BUILD_DIR/bench/search/bench_search
export QT_QPA_PLATFORM=offscreen

DATA=$(mktemp -d "$WORK/dorvan-search-bench.XXXXXX")
TREES=$DATA/trees
cleanup() {
    busy_stop
    if mountpoint -q "$TREES" 2>/dev/null; then umount "$TREES"; fi
    rm -rf --one-file-system "$DATA"
}
trap cleanup EXIT
mkdir -p "$DATA/home/config" "$TREES"
export HOME=$DATA/home XDG_CONFIG_HOME=$DATA/home/config XDG_RUNTIME_DIR=$DATA/home
chmod 0700 "$DATA/home"

# Inodes for every tree at once (each size has about 1.1 files per file
# counted: the folders; the copy of /usr as many as it has), on a sparse
# image that grows with what is written.
usr_entries=$(find /usr -xdev 2>/dev/null | wc -l)
inodes=$(awk -v s="$SIZES" -v u="$usr_entries" -v c="$CHAIN" 'BEGIN {
    n = split(s, v, " "); for (i = 1; i <= n; i++) t += v[i]; print int(t * 1.2 + u * 1.1 + c * 3) + 10000 }')
on_image=0
if [ "$(id -u)" = 0 ] && truncate -s 8G "$DATA/trees.img" &&
    mkfs.ext4 -q -F -N "$inodes" -E lazy_itable_init=1,lazy_journal_init=1 "$DATA/trees.img" &&
    mount -o loop,noinit_itable "$DATA/trees.img" "$TREES"; then
    on_image=1
    echo "trees on a loop-mounted ext4 image in $DATA"
else
    echo "trees in $DATA ($(stat -f -c %T "$DATA"))"
fi
bench_may_drop_caches

# run_tool TOOL TREE MASK [MODE]: one run, its milliseconds. MODE cold drops
# the page cache first; first and cold run the search as the first of its
# session.
run_tool() {
    local tool=$1 tree=$2 mask=$3 mode=${4:-warm} start end ext=${3#\*.}
    [ "$mode" = cold ] && { sync; drop_caches; }
    if [ "$tool" = search ]; then
        local flag=()
        [ "$mode" = first ] || [ "$mode" = cold ] && flag=(--first)
        "$BIN" "${flag[@]}" "$tree" "$mask" 2>/dev/null | awk '{ print $1 }'
        return
    fi
    start=${EPOCHREALTIME//[.,]/}
    case $tool in
        find) find "$tree" -type f -iname "$mask" >/dev/null ;;
        bfs) bfs "$tree" -type f -iname "$mask" >/dev/null ;;
        fdfind) fdfind -uu -t f -e "$ext" . "$tree" >/dev/null ;;
    esac
    end=${EPOCHREALTIME//[.,]/}
    ms_between "$start" "$end"
}

# The search finds what find finds: every name the mask takes that is not a
# folder or a link to one.
check_found() {
    local tree=$1 mask=$2 expected found
    expected=$(find "$tree" -iname "$mask" ! -xtype d | wc -l)
    read -r _ found PEAK < <("$BIN" "$tree" "$mask" 2>/dev/null)
    if [ "$found" != "$expected" ]; then
        echo "error: the search found $found files in $tree, find $expected" >&2
        exit 1
    fi
    FOUND=$found
}

RESULTS=()
# measure LABEL KEY TREE MASK MODE ROUNDS TARGET_PEER TOOLS...: runs the
# tools round by round (the order turning), again when the rounds spread
# more than 30%, and writes one row per peer.
measure() {
    local label=$1 key=$2 tree=$3 mask=$4 mode=$5 rounds=$6 target_peer=$7
    shift 7
    local tools=("$@") attempt r i tool wide
    declare -A times med spr
    for attempt in 1 2; do
        times=()
        [ "$mode" = busy ] && busy_start
        # One run of each outside the count: the cache warm, the busy loops going.
        [ "$mode" = cold ] || for tool in "${tools[@]}"; do run_tool "$tool" "$tree" "$mask" "$mode" >/dev/null; done
        for ((r = 1; r <= rounds; r++)); do
            for ((i = 0; i < ${#tools[@]}; i++)); do
                tool=${tools[$(((i + r) % ${#tools[@]}))]}
                times[$tool]+="$(run_tool "$tool" "$tree" "$mask" "$mode") "
            done
        done
        [ "$mode" = busy ] && busy_stop
        wide=0
        for tool in "${tools[@]}"; do
            med[$tool]=$(echo "${times[$tool]}" | tr ' ' '\n' | grep . | median)
            spr[$tool]=$(echo "${times[$tool]}" | tr ' ' '\n' | grep . | spread)
            printf '%-7s median %8s ms  spread %3s%%  runs: %s\n' "$tool" "${med[$tool]}" "${spr[$tool]}" "${times[$tool]}"
            [ "${spr[$tool]}" -le 30 ] || wide=1
        done
        [ "$wide" = 1 ] && [ "$attempt" = 1 ] && { echo "(spread over 30%: measured again)"; continue; }
        break
    done
    for tool in "${tools[@]}"; do
        [ "$tool" = search ] && continue
        local target=-
        [ "$tool" = "$target_peer" ] && target="<=1.0x"
        RESULTS+=("search-vs-$tool-$key: $(ratio "${med[search]}" "${med[$tool]}")")
        bench_row "$label" "${med[search]}" ms "$tool" "${med[$tool]}" "$target" "$NOTE" \
            "${spr[search]}% / ${spr[$tool]}%"
    done
}

if [[ " $SHAPES " == *" sizes "* ]]; then
    for size in $SIZES; do
        tree=$TREES/t$size
        echo "--- $size files: building the tree ..."
        python3 "$BENCH_ROOT/bench/search/make_tree.py" "$tree" "$size"
        folders=$(find "$tree" -type d | wc -l)
        check_found "$tree" '*.mp3'
        NOTE="folders: $(thousands "$folders"), peak $((PEAK / 1024)) MiB"
        measure "search $(thousands "$size") files" "$size" "$tree" '*.mp3' warm "$ROUNDS" bfs search find bfs fdfind
        echo "folders: $folders, matches: $FOUND, search peak memory: $((PEAK / 1024)) MiB"
        # A tree on the image goes with the image, at the end.
        [ "$on_image" = 1 ] || rm -rf "$tree"
    done
fi

if [[ " $SHAPES " == *" usr "* ]]; then
    tree=$TREES/usr
    echo "--- a copy of /usr: names, folders and links, the files empty ..."
    cp -a --attributes-only /usr "$tree" 2>/dev/null || true
    entries=$(find "$tree" | wc -l)
    folders=$(find "$tree" -type d | wc -l)
    links=$(find "$tree" -type l | wc -l)
    check_found "$tree" '*.h'
    shape="$(thousands "$entries") entries, $(thousands "$folders") folders, $(thousands "$links") links"
    echo "$shape; $FOUND match *.h"
    NOTE="$shape, *.h; peak $((PEAK / 1024)) MiB"
    measure "search a copy of /usr" usr "$tree" '*.h' warm "$MANY" bfs search bfs fdfind
    NOTE="$shape, *.h; two busy loops beside it"
    measure "search a copy of /usr, machine busy" usr-busy "$tree" '*.h' busy "$BUSY" bfs search bfs
    NOTE="$shape, *.h; no search before it in the session"
    measure "first search of a session, copy of /usr" usr-first "$tree" '*.h' first "$MANY" bfs search bfs
    if [ "$DROP" = yes ]; then
        NOTE="$shape, *.h; page cache dropped before every run"
        measure "search a copy of /usr, cold cache" usr-cold "$tree" '*.h' cold "$MANY" fdfind search fdfind
    else
        bench_skip "search a copy of /usr, cold cache" "dropping the page cache needs root"
    fi
    [ "$on_image" = 1 ] || rm -rf "$tree"
fi

if [[ " $SHAPES " == *" chain "* ]]; then
    tree=$TREES/chain
    echo "--- a chain of $CHAIN nested folders ..."
    python3 - "$tree" "$CHAIN" <<'PY'
import os, sys
root, depth = sys.argv[1], int(sys.argv[2])
os.makedirs(root)
fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
for level in range(depth):
    for name in ("n.h", "n.c"):
        os.close(os.open(name, os.O_CREAT | os.O_WRONLY, 0o644, dir_fd=fd))
    os.mkdir("d", dir_fd=fd)
    inner = os.open("d", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
    os.close(fd)
    fd = inner
os.close(fd)
PY
    check_found "$tree" '*.h'
    NOTE="$FOUND matches, one per folder"
    measure "search a chain of $(thousands "$CHAIN") nested folders" chain "$tree" '*.h' warm "$MANY" bfs search bfs
    NOTE="$FOUND matches; two busy loops beside it"
    measure "search a chain of $(thousands "$CHAIN") nested folders, machine busy" chain-busy "$tree" '*.h' busy "$BUSY" bfs search bfs
    [ "$on_image" = 1 ] || rm -rf "$tree"
fi
echo "---"
printf '%s\n' "${RESULTS[@]}"
