#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Times the undo of a move of 10,000 files of 4 KiB against the move itself,
# both through the file-operation service as the window runs them: within
# one file system, and to a tmpfs mounted for the run (root only). A second
# row per case puts the recorded move against the same move unrecorded: the
# cost of the undo journal. The undo from the tmpfs is also put against a
# move of the same files from the tmpfs (the undo's own direction: the data
# written to the disk before the sources go). Each run moves fresh hard
# links of the sources.
#
# Environment: ROUNDS (default 5), WORK (default /var/tmp), BUILD_DIR.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ROUNDS=${ROUNDS:-5}
WORK=${WORK:-/var/tmp}
COUNT=10000

bench_build dorvan_undo_bench
BIN=$BUILD_DIR/bench/dorvan_undo_bench
export QT_QPA_PLATFORM=offscreen

DATA=$(mktemp -d "$WORK/dorvan-undo-bench.XXXXXX")
OTHER=$DATA/other
cleanup() {
    if mountpoint -q "$OTHER" 2>/dev/null; then umount "$OTHER"; fi
    rm -rf --one-file-system "$DATA"
}
trap cleanup EXIT
mkdir "$DATA/files" "$OTHER"
head -c $((4096 * COUNT)) /dev/urandom | split -b 4096 -a 5 -d - "$DATA/files/f"
TARGETS=("$DATA")
if mount -t tmpfs -o size=1g,mode=0700 dorvan-undo-bench "$OTHER" 2>/dev/null; then
    TARGETS+=("$OTHER")
else
    bench_skip "undo of a move of 10,000 x 4 KiB to tmpfs" "mounting a tmpfs needs root"
fi
sync

RUN=0
# one_run TARGET_PARENT [--plain]: prints the driver's figures; runs in a
# command substitution, so the caller counts RUN.
one_run() {
    local parent=$1
    shift
    rm -rf "$DATA"/src* "$parent"/dst* "$DATA"/journal* "$DATA"/back* "$OTHER"/back*
    cp -al "$DATA/files" "$DATA/src$RUN"
    mkdir "$parent/dst$RUN"
    sync
    "$BIN" "$@" "$DATA/journal$RUN" "$parent/dst$RUN" "$DATA/src$RUN"/*
}

# back_run: a recorded move of the files from the tmpfs into a new folder
# beside the sources; prints its milliseconds.
back_run() {
    rm -rf "$DATA"/src* "$DATA"/back* "$OTHER"/* "$DATA"/journal*
    cp -r "$DATA/files" "$OTHER/back$RUN"
    mkdir "$DATA/back$RUN"
    sync
    "$BIN" --no-undo "$DATA/journal$RUN" "$DATA/back$RUN" "$OTHER/back$RUN"/*
}

for parent in "${TARGETS[@]}"; do
    fs=$(stat -f -c %T "$parent")
    label="move of 10,000 x 4 KiB to $fs"
    moves=() undos=() plains=() backs=()
    for ((r = 1; r <= ROUNDS; r++)); do
        RUN=$((RUN + 1))
        read -r -a t <<<"$(one_run "$parent")"
        moves+=("${t[0]}")
        undos+=("${t[1]}")
        if [ "$(ls "$DATA/src$RUN" | wc -l)" != "$COUNT" ] || ! diff -rq "$DATA/files" "$DATA/src$RUN" >/dev/null; then
            echo "error: the undo did not bring every file back" >&2
            exit 1
        fi
        RUN=$((RUN + 1))
        plains+=("$(one_run "$parent" --plain)")
        if [ "$parent" != "$DATA" ]; then
            RUN=$((RUN + 1))
            backs+=("$(back_run)")
        fi
    done
    move=$(printf '%s\n' "${moves[@]}" | median)
    undo=$(printf '%s\n' "${undos[@]}" | median)
    plain=$(printf '%s\n' "${plains[@]}" | median)
    printf '%-40s move %8s ms   undo %8s ms   ratio %s\n' "$label" "$move" "$undo" "$(ratio "$undo" "$move")"
    printf '%-40s unrecorded %8s ms   recorded %8s ms   ratio %s\n' "" "$plain" "$move" "$(ratio "$move" "$plain")"
    echo "    runs (ms) move: ${moves[*]}   undo: ${undos[*]}   unrecorded: ${plains[*]}"
    # Back from another file system the undo writes every file to the disk
    # and flushes it, which the move to a tmpfs never did: shown for
    # reference, and put against a move in its own direction below.
    if [ "$parent" = "$DATA" ]; then
        bench_row "undo of a $label" "$undo" ms "the move itself" "$move" "<=1.0x"
    else
        bench_row "undo of a $label" "$undo" ms "the move itself" "$move" "-" \
            "writes to the disk what the move wrote to memory; next row"
    fi
    # The journal is appended per item before its rename, so that a kill
    # leaves every done item undoable: one write() each, shown for reference.
    bench_row "$label, recorded for undo" "$move" ms "unrecorded" "$plain" "-" \
        "one journal write per item"
    if [ ${#backs[@]} -gt 0 ]; then
        back=$(printf '%s\n' "${backs[@]}" | median)
        printf '%-40s from %s %8s ms   undo %8s ms   ratio %s\n' "" "$fs" "$back" "$undo" "$(ratio "$undo" "$back")"
        echo "    runs (ms) move from $fs: ${backs[*]}"
        bench_row "undo of a $label" "$undo" ms "a move from $fs" "$back" "<=1.0x"
    fi
done
