#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Times the file-operation service against cp and mv on the same data in the
# same run, the two tools alternating run by run:
#   copy  5,000 files of 4 KiB            vs  cp --preserve=mode,timestamps
#   copy  one 1 GiB file                  vs  the same
#   copy  one 3 GiB sparse file           vs  the same (64 MiB of data in 64
#         extents; both keep the holes)
#   copy  200 files of 16 KiB over existing files of the same names, and
#         one 1 GiB file over an existing one (the program writes each new
#         file whole, then puts it in place, never truncating the old one)
#                                         vs  cp --preserve=mode,timestamps,
#                                             which truncates and rewrites
#   move  each of the first three to another file system (a tmpfs mounted
#         for the run; where none can be mounted, the cases are left out)  vs  mv
# Caches are dropped before every run when that is allowed (root), otherwise
# both run warm. Prints the median of each tool and the ratio service / peer
# twice: "to return" (the command alone) and "to durable" (followed by sync:
# the time until the data is on the disk, which is what the service's flushes
# before replacing a file or removing a moved source cost). A case whose runs
# spread more than 30% is measured once more.
#
# Environment: ROUNDS (default 5), WORK (data folder parent, default
# /var/tmp; must not be tmpfs; about 6 GiB while it runs), BUILD_DIR (default
# build/bench), DROP_CACHES=0 to run warm, CASES (default "small large
# sparse overwrite-small overwrite-large"), MOVES=0 to leave out the moves.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ROUNDS=${ROUNDS:-5}
WORK=${WORK:-/var/tmp}
CASES=${CASES:-small large sparse overwrite-small overwrite-large}

bench_build dorvan_copy_bench
BIN=$BUILD_DIR/bench/dorvan_copy_bench
export QT_QPA_PLATFORM=offscreen

DATA=$(mktemp -d "$WORK/dorvan-copy-bench.XXXXXX")
OTHER=$DATA/other
cleanup() {
    if mountpoint -q "$OTHER" 2>/dev/null; then umount "$OTHER"; fi
    rm -rf --one-file-system "$DATA"
}
trap cleanup EXIT
if [ "$(stat -f -c %T "$DATA")" = tmpfs ]; then
    echo "warning: $DATA is on tmpfs; the figures will not reflect a disk" >&2
fi
case_label() {
    case $1 in
        small) echo "5,000 x 4 KiB" ;;
        large) echo "1 GiB file" ;;
        sparse) echo "3 GiB sparse file" ;;
        overwrite-small) echo "200 x 16 KiB over existing files" ;;
        overwrite-large) echo "1 GiB file over an existing one" ;;
    esac
}

MOVES=${MOVES:-1}
if [ "$MOVES" != 0 ]; then
    mkdir "$OTHER"
    mount -t tmpfs -o size=2g,mode=0700 dorvan-bench "$OTHER" 2>/dev/null || {
        echo "warning: no second file system could be mounted (needs root): no moves" >&2
        MOVES=0
        for kind in $CASES; do
            [[ $kind == overwrite-* ]] && continue
            bench_skip "move $(case_label "$kind") to another file system" \
                "mounting a tmpfs needs root; $(id -un) is not"
        done
    }
fi
bench_may_drop_caches
echo "data in $DATA ($(stat -f -c %T "$DATA")), rounds: $ROUNDS, caches dropped: $DROP," \
     "moves to: $([ "$MOVES" != 0 ] && stat -f -c %T "$OTHER" || echo none)"

echo "preparing the sources ..."
mkdir "$DATA/small" "$DATA/large" "$DATA/sparse" "$DATA/overwrite-small" "$DATA/overwrite-large" "$DATA/old-small"
head -c $((4096 * 5000)) /dev/urandom | split -b 4096 -a 4 -d - "$DATA/small/f"
head -c $((1024 * 1024 * 1024)) /dev/urandom >"$DATA/large/big.bin"
head -c $((16384 * 200)) /dev/urandom | split -b 16384 -a 3 -d - "$DATA/overwrite-small/f"
head -c $((16384 * 200)) /dev/urandom | split -b 16384 -a 3 -d - "$DATA/old-small/f"
ln "$DATA/large/big.bin" "$DATA/overwrite-large/big.bin"
truncate -s 3G "$DATA/sparse/disk.img"
for ((i = 0; i < 64; i++)); do
    dd if=/dev/urandom of="$DATA/sparse/disk.img" bs=1M count=1 seek=$((i * 48)) conv=notrunc status=none
done
sync

# Every copy gets a new empty target folder. The small-file copies are kept
# until their case is over: ext4 slows down the creation of new files while
# many inodes were freed recently, which would punish whichever tool runs
# after a deletion. The large copies are removed at once (one inode each).
# A move gets fresh hard links to the sources (no data written, the data
# stays cold) and moves them into a new folder on the other file system: the
# copy and the removal of a name cost what they cost with a single link.
RUN=0
fresh_target() {
    local kind=$1 move=$2
    if [ "$kind" != small ] && [ "$kind" != overwrite-small ]; then rm -rf "$DATA"/dst*; fi
    rm -rf "$DATA"/src* "${OTHER:?}"/dst* 2>/dev/null || true
    RUN=$((RUN + 1))
    if [ "$move" = 1 ]; then
        cp -al "$DATA/$kind" "$DATA/src$RUN"
        TARGET=$OTHER/dst$RUN
        SOURCES=("$DATA/src$RUN"/*)
    else
        TARGET=$DATA/dst$RUN
        SOURCES=("$DATA/$kind"/*)
    fi
    mkdir "$TARGET"
    # The files to be replaced: other contents under the same names (the
    # large one allocated, not written: its blocks are freed all the same).
    case $kind in
        overwrite-small) cp "$DATA/old-small"/* "$TARGET/" ;;
        overwrite-large) fallocate -l 1G "$TARGET/big.bin" ;;
    esac
    sync
    drop_caches
}

# Prints the milliseconds the command took, then those until a sync that
# follows it returned.
timed() {
    local start end synced
    start=${EPOCHREALTIME//[.,]/}
    "$@" >/dev/null 2>&1
    end=${EPOCHREALTIME//[.,]/}
    sync
    synced=${EPOCHREALTIME//[.,]/}
    echo "$(ms_between "$start" "$end") $(ms_between "$start" "$synced")"
}

# The target holds what the sources held, and a sparse file kept its holes.
check_result() {
    local kind=$1 target=$2 same
    if [ "$kind" = sparse ]; then
        python3 "$BENCH_ROOT/bench/same_sparse.py" "$DATA/sparse/disk.img" "$target/disk.img" && same=1
    else
        diff -rq "$DATA/$kind" "$target" >/dev/null && same=1
    fi
    if [ -z "${same:-}" ]; then
        echo "error: the service's result in $target differs from $DATA/$kind" >&2
        exit 1
    fi
    if [ "$kind" = sparse ]; then
        local used ours
        used=$(stat -c %b "$DATA/sparse/disk.img")
        ours=$(stat -c %b "$target/disk.img")
        if [ "$ours" -gt $((used + 2048)) ]; then
            echo "error: the service's copy of the sparse file lost its holes ($ours blocks of 512 bytes, the source $used)" >&2
            exit 1
        fi
    fi
}

run_case() {
    local kind=$1 move=$2
    local peer=cp times=() durable=() peer_times=() peer_durable=() r tool t
    [ "$move" = 1 ] && peer=mv
    # One run that is not counted: the first read of freshly made sources
    # from the disk is slower than any later one, and round 1 starts with
    # the peer.
    fresh_target "$kind" "$move"
    if [ "$move" = 1 ]; then
        mv "${SOURCES[@]}" "$TARGET/"
    else
        cp --preserve=mode,timestamps "${SOURCES[@]}" "$TARGET/"
    fi
    local attempt
    for attempt in 1 2; do
        times=() durable=() peer_times=() peer_durable=()
        for ((r = 1; r <= ROUNDS; r++)); do
            for tool in $([ $((r % 2)) = 1 ] && echo "peer svc" || echo "svc peer"); do
                fresh_target "$kind" "$move"
                if [ "$tool" = peer ]; then
                    if [ "$move" = 1 ]; then
                        read -r -a t <<<"$(timed mv "${SOURCES[@]}" "$TARGET/")"
                    else
                        read -r -a t <<<"$(timed cp --preserve=mode,timestamps "${SOURCES[@]}" "$TARGET/")"
                    fi
                    peer_times+=("${t[0]}")
                    peer_durable+=("${t[1]}")
                else
                    local args=() out
                    [ "$move" = 1 ] && args=(--move)
                    if ! out=$("$BIN" "${args[@]}" "$TARGET" "${SOURCES[@]}"); then
                        echo "error: the service failed on $(case_label "$kind")" >&2
                        exit 1
                    fi
                    read -r -a t <<<"$out"
                    times+=("${t[0]}")
                    durable+=("${t[1]}")
                    if [ "$r" = 1 ]; then
                        check_result "$kind" "$TARGET"
                        if [ "$move" = 1 ] && [ -n "$(ls -A "${SOURCES[0]%/*}")" ]; then
                            echo "error: the moved sources are still there" >&2
                            exit 1
                        fi
                    fi
                fi
            done
        done
        local wide=0 list
        for list in "${times[*]}" "${durable[*]}" "${peer_times[*]}" "${peer_durable[*]}"; do
            [ "$(echo "$list" | tr ' ' '\n' | spread)" -le 30 ] || wide=1
        done
        if [ "$wide" = 1 ] && [ "$attempt" = 1 ]; then
            echo "    runs spread over 30%: measured again (ms) $peer: ${peer_times[*]}   service: ${times[*]}"
            continue
        fi
        break
    done
    local verb=copy label ours_ret ours_dur peer_ret peer_dur spread_ret spread_dur target_ret="<=1.1x" target_dur="<=1.1x"
    [[ $kind == overwrite-* ]] && target_ret=- target_dur="<=1.2x"
    spread_ret="$(printf '%s\n' "${times[@]}" | spread)% / $(printf '%s\n' "${peer_times[@]}" | spread)%"
    spread_dur="$(printf '%s\n' "${durable[@]}" | spread)% / $(printf '%s\n' "${peer_durable[@]}" | spread)%"
    [ "$move" = 1 ] && verb="move to $(stat -f -c %T "$OTHER")"
    label="$verb $(case_label "$kind")"
    ours_ret=$(printf '%s\n' "${times[@]}" | median)
    ours_dur=$(printf '%s\n' "${durable[@]}" | median)
    peer_ret=$(printf '%s\n' "${peer_times[@]}" | median)
    peer_dur=$(printf '%s\n' "${peer_durable[@]}" | median)
    printf '%-30s to return   median %-2s %8s ms   service %8s ms   ratio %s\n' "$label" "$peer" \
        "$peer_ret" "$ours_ret" "$(ratio "$ours_ret" "$peer_ret")"
    printf '%-30s to durable  median %-2s %8s ms   service %8s ms   ratio %s\n' "" "$peer" \
        "$peer_dur" "$ours_dur" "$(ratio "$ours_dur" "$peer_dur")"
    echo "    runs (ms) $peer: ${peer_times[*]}   service: ${times[*]}"
    echo "    with sync (ms) $peer: ${peer_durable[*]}   service: ${durable[*]}"
    bench_row "$label, to return" "$ours_ret" ms "$peer" "$peer_ret" "$target_ret" "" "$spread_ret"
    bench_row "$label, to durable" "$ours_dur" ms "$peer; sync" "$peer_dur" "$target_dur" "" "$spread_dur"
}

for kind in $CASES; do
    run_case "$kind" 0
    rm -rf "$DATA"/dst*
    sync
done
if [ "$MOVES" != 0 ]; then
    for kind in $CASES; do
        [[ $kind == overwrite-* ]] || run_case "$kind" 1
    done
fi
