#!/usr/bin/env bash
# Times the file-operation service against cp --preserve=mode,timestamps on
# the same data in the same run: 5,000 files of 4 KiB, then one 1 GiB file,
# each copied into an empty folder. Runs alternate between the two tools;
# caches are dropped before every run when that is allowed (root), otherwise
# both run warm. Prints the median times and the ratio service / cp, twice:
# the copy alone, and "to durable": the copy followed by sync, which is what
# it costs until the data is on the disk.
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

# Prints the milliseconds the command took, then those it took until a sync
# that follows it returned.
timed() {
    local start end synced
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    sync
    synced=$(date +%s%N)
    echo "$(((end - start) / 1000000)) $(((synced - start) / 1000000))"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run_case() {
    local label=$1 folder=$2 kind=$3
    local sources=("$folder"/*) cp_times=() svc_times=() cp_durable=() svc_durable=() r tool t
    for ((r = 1; r <= ROUNDS; r++)); do
        for tool in $([ $((r % 2)) = 1 ] && echo "cp svc" || echo "svc cp"); do
            fresh_target "$kind"
            if [ "$tool" = cp ]; then
                read -r -a t <<<"$(timed cp --preserve=mode,timestamps "${sources[@]}" "$TARGET/")"
                cp_times+=("${t[0]}")
                cp_durable+=("${t[1]}")
            else
                read -r -a t <<<"$(timed "$BIN" "$TARGET" "${sources[@]}")"
                svc_times+=("${t[0]}")
                svc_durable+=("${t[1]}")
                if [ "$r" = 1 ] && ! diff -rq "$folder" "$TARGET" >/dev/null; then
                    echo "error: the service's copy differs from $folder" >&2
                    exit 1
                fi
            fi
        done
    done
    local cp_med svc_med cp_dur svc_dur
    cp_med=$(printf '%s\n' "${cp_times[@]}" | median)
    svc_med=$(printf '%s\n' "${svc_times[@]}" | median)
    cp_dur=$(printf '%s\n' "${cp_durable[@]}" | median)
    svc_dur=$(printf '%s\n' "${svc_durable[@]}" | median)
    printf '%-14s copy        median cp %7s ms   service %7s ms   ratio %s\n' "$label" "$cp_med" \
        "$svc_med" "$(ratio "$svc_med" "$cp_med")"
    printf '%-14s to durable  median cp %7s ms   service %7s ms   ratio %s\n' "" "$cp_dur" \
        "$svc_dur" "$(ratio "$svc_dur" "$cp_dur")"
    echo "    runs (ms) cp: ${cp_times[*]}   service: ${svc_times[*]}"
    echo "    with sync (ms) cp: ${cp_durable[*]}   service: ${svc_durable[*]}"
}

run_case "5000 x 4 KiB" "$DATA/small" small
rm -rf "$DATA"/dst*
sync
run_case "1 x 1 GiB" "$DATA/large" large
