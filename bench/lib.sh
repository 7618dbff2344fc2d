# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Helpers shared by the benchmark scripts (bash; sourced).
#
# Rows: each figure that has a peer or a target is also written as one row
# for bench/run's table when BENCH_ROWS names a file, as tab-separated fields
#   name  ours  unit  peer  peers  target  note  spread  load
# target: "<=1.1x" (ours / peer at most that), "<200" (ours below that, in
# unit) or "-"; peer and peers are "-" where the row has no peer.

BENCH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$BENCH_ROOT/build/bench}
export LC_NUMERIC=C  # "1.5" in every figure, whatever the user's locale

# Installs the Debian packages that provide the commands named (command:package
# pairs) when a command is missing.
bench_need() {
    local pair missing=()
    for pair in "$@"; do
        command -v "${pair%%:*}" >/dev/null || missing+=("${pair#*:}")
    done
    [ ${#missing[@]} = 0 ] && return 0
    local sudo=
    [ "$(id -u)" = 0 ] || sudo=sudo
    echo "installing ${missing[*]} ..." >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null 2>&1 ||
        { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null; }
}

# Builds the named drivers (all of them when none is named) in release mode
# in BUILD_DIR, with the packages the build needs; nothing when BENCH_BUILT=1
# (bench/run builds them all first).
bench_build() {
    [ "${BENCH_BUILT:-0}" = 1 ] && return 0
    "$BENCH_ROOT/scripts/install-deps.sh" >&2
    local log targets=()
    [ $# = 0 ] || targets=(--target "$@")
    log=$(mktemp)
    if ! { cmake -S "$BENCH_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
               -DDORVAN_BUILD_BENCH=ON -DDORVAN_BUILD_TESTS=OFF &&
           cmake --build "$BUILD_DIR" -j2 "${targets[@]}"; } >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        rm -f "$log"
        echo "error: the build of the benchmark drivers failed" >&2
        return 1
    fi
    rm -f "$log"
}

# The wall clock in microseconds, without starting a process.
now_us() { local t=${EPOCHREALTIME//[.,]/}; echo "$((10#$t))"; }
# Milliseconds between two now_us readings, one decimal.
ms_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) / 1000 }'; }

# The median of the numbers on standard input, one per line (the lower of
# the two middle ones for an even count).
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }

# How far the numbers on standard input spread: (largest - smallest) / median,
# in whole percent. A row that spreads more than 30% is measured once more.
spread() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (!NR) { print 0; exit }
        m = v[int((NR + 1) / 2)]
        printf "%d\n", (m > 0 ? (v[NR] - v[1]) * 100 / m + 0.5 : 0) }'
}

# Two loops that keep both cores busy (a machine under load) until busy_stop.
BUSY_PIDS=()
busy_start() {
    local i
    for i in 1 2; do
        (while :; do :; done) &
        BUSY_PIDS+=($!)
    done
}
busy_stop() {
    local pid
    for pid in "${BUSY_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${BUSY_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    BUSY_PIDS=()
}

# 1000000 as "1,000,000".
thousands() { echo "$1" | sed -E ':a; s/([0-9])([0-9]{3})($|,)/\1,\2\3/; ta'; }

# a / b as "0.85x".
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", (b > 0 ? a / b : 0) }'; }

# bench_row NAME OURS UNIT PEER PEERS TARGET [NOTE [SPREAD]]
# SPREAD: how far the rounds spread, as "12% / 8%" (ours / the peer's). The
# machine's 1-minute load average when the row is written goes with it.
bench_row() {
    [ -n "${BENCH_ROWS:-}" ] || return 0
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" "$5" "$6" "${7:-}" "${8:-}" \
        "$(cut -d' ' -f1 /proc/loadavg)" >>"$BENCH_ROWS"
}

# Drops the page cache when DROP is "yes" (set by bench_may_drop_caches).
drop_caches() { if [ "${DROP:-no}" = yes ]; then echo 3 >/proc/sys/vm/drop_caches; fi; }
# Sets DROP to "yes" where caches may be dropped (root) and DROP_CACHES is not 0.
bench_may_drop_caches() {
    DROP=no
    if [ "${DROP_CACHES:-1}" != 0 ] && [ -w /proc/sys/vm/drop_caches ] && sync &&
        (echo 3 >/proc/sys/vm/drop_caches) 2>/dev/null; then
        DROP=yes
    fi
}

# bench_skip NAME REASON: a row that was not measured, and why.
bench_skip() {
    [ -n "${BENCH_ROWS:-}" ] || return 0
    printf '%s\tskipped\t-\t-\t-\t-\t%s\t\t\n' "$1" "$2" >>"$BENCH_ROWS"
}
