#!/usr/bin/env bash
# Times the file-operation service against cp --preserve=mode,timestamps on
# the same data in the same run: 5,000 files of 4 KiB, then one 1 GiB file,
# each copied into an empty folder. Runs alternate between the two tools;
# caches are dropped before every run when that is allowed (root), otherwise
# both run warm. Prints the median times and the ratio service / cp.
#
# Environment: ROUNDS (default 5), WORK (data folder parent, default
# /var/tmp; must not be tmpfs), BUILD (build folder, default build/copy-bench),
# DROP_CACHES=0 to run warm even where caches could be dropped.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build/copy-bench}
ROUNDS=${ROUNDS:-5}
WORK=${WORK:-/var/tmp}

echo "building dorvan_copy_bench in $BUILD ..."
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DDORVAN_BUILD_BENCH=ON -DDORVAN_BUILD_TESTS=OFF \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j2 --target dorvan_copy_bench >/dev/null
BIN=$BUILD/bench/dorvan_copy_bench
export QT_QPA_PLATFORM=offscreen

DATA=$(mktemp -d "$WORK/dorvan-bench.XXXXXX")
trap 'rm -rf "$DATA"' EXIT
if [ "$(stat -f -c %T "$DATA")" = tmpfs ]; then
    echo "warning: $DATA is on tmpfs; the figures will not reflect a disk" >&2
fi

DROP=no
if [ "${DROP_CACHES:-1}" != 0 ] && [ -w /proc/sys/vm/drop_caches ] && sync && (echo 3 > /proc/sys/vm/drop_caches) 2>/dev/null; then
    DROP=yes
fi
echo "data in $DATA ($(stat -f -c %T "$DATA")), rounds: $ROUNDS, caches dropped: $DROP"

echo "preparing 5000 files of 4 KiB and one file of 1 GiB ..."
mkdir "$DATA/small" "$DATA/large"
head -c $((4096 * 5000)) /dev/urandom | split -b 4096 -a 4 -d - "$DATA/small/f"
head -c $((1024 * 1024 * 1024)) /dev/urandom > "$DATA/large/big.bin"
sync

# Every run gets a new empty target folder. The small-file copies are kept
# until their case is over: ext4 slows down the creation of new files while
# many inodes were freed recently, which would punish whichever tool runs
# after a deletion. The large copies are removed at once (one inode each).
RUN=0
fresh_target() {
    if [ "$1" = large ]; then rm -rf "$DATA"/dst*; fi
    RUN=$((RUN + 1))
    TARGET=$DATA/dst$RUN
    mkdir "$TARGET"
    sync
    if [ "$DROP" = yes ]; then echo 3 > /proc/sys/vm/drop_caches; fi
}

# Prints the milliseconds the command took.
timed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run_case() {
    local label=$1 folder=$2 kind=$3
    local sources=("$folder"/*) cp_times=() svc_times=() r tool
    for ((r = 1; r <= ROUNDS; r++)); do
        for tool in $([ $((r % 2)) = 1 ] && echo "cp svc" || echo "svc cp"); do
            fresh_target "$kind"
            if [ "$tool" = cp ]; then
                cp_times+=("$(timed cp --preserve=mode,timestamps "${sources[@]}" "$TARGET/")")
            else
                svc_times+=("$(timed "$BIN" "$TARGET" "${sources[@]}")")
                if [ "$r" = 1 ] && ! diff -rq "$folder" "$TARGET" >/dev/null; then
                    echo "error: the service's copy differs from $folder" >&2
                    exit 1
                fi
            fi
        done
    done
    local cp_med svc_med
    cp_med=$(printf '%s\n' "${cp_times[@]}" | median)
    svc_med=$(printf '%s\n' "${svc_times[@]}" | median)
    printf '%-14s median cp %7s ms   service %7s ms   ratio %s\n' "$label" "$cp_med" "$svc_med" \
        "$(awk -v a="$svc_med" -v b="$cp_med" 'BEGIN { printf "%.2fx", a / b }')"
    echo "    runs (ms) cp: ${cp_times[*]}   service: ${svc_times[*]}"
}

run_case "5000 x 4 KiB" "$DATA/small" small
rm -rf "$DATA"/dst*
sync
run_case "1 x 1 GiB" "$DATA/large" large
