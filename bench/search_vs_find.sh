#!/usr/bin/env bash
# Times the whole-tree search (start to the transferred result, as the window
# runs it) against find, bfs and fdfind on generated trees of 10,000, 100,000
# and 1,000,000 files, side by side in one run: warm cache, tools alternating
# round by round, median of the rounds. Ends with one line per size and peer:
#   search-vs-bfs-100000: 0.80x     (time of the search / time of the peer)
#
# Environment: ROUNDS (default 5), SIZES (default "10000 100000 1000000"),
# WORK (parent of the trees, default /var/tmp), BUILD (default build/bench).
# Installs bfs and fd-find with apt-get when they are missing.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build/bench}
ROUNDS=${ROUNDS:-5}
SIZES=${SIZES:-10000 100000 1000000}
WORK=${WORK:-/var/tmp}

if ! command -v bfs >/dev/null || ! command -v fdfind >/dev/null; then
    echo "installing bfs and fd-find ..."
    apt-get install -y bfs fd-find >/dev/null
fi

echo "building bench_search in $BUILD ..."
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DDORVAN_BUILD_BENCH=ON -DDORVAN_BUILD_TESTS=OFF \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j2 --target bench_search >/dev/null
BIN=$BUILD/bench/search/bench_search
export QT_QPA_PLATFORM=offscreen

DATA=$(mktemp -d "$WORK/dorvan-search-bench.XXXXXX")
trap 'rm -rf "$DATA"' EXIT
mkdir -p "$DATA/home/config"
export HOME=$DATA/home XDG_CONFIG_HOME=$DATA/home/config XDG_RUNTIME_DIR=$DATA/home

# Prints the milliseconds the command took.
timed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run_tool() {
    local tool=$1 tree=$2
    case $tool in
        find) timed find "$tree" -type f -iname '*.mp3' ;;
        bfs) timed bfs "$tree" -type f -iname '*.mp3' ;;
        fdfind) timed fdfind -uu -t f -e mp3 . "$tree" ;;
        search) "$BIN" "$tree" '*.mp3' 2>/dev/null | awk '{ printf "%d\n", $1 + 0.5 }' ;;
    esac
}

TOOLS=(search find bfs fdfind)
declare -A MEDIAN
RESULTS=()
for size in $SIZES; do
    tree=$DATA/t$size
    echo "--- $size files: building the tree ..."
    python3 "$ROOT/bench/search/make_tree.py" "$tree" "$size"
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
        printf '%-7s median %6s ms   runs: %s\n' "$tool" "${MEDIAN[$tool-$size]}" "${TIMES[$tool]}"
    done
    printf 'folders: %s, matches: %s, search peak memory: %s MiB, search per 1000 files: %s ms\n' \
        "$folders" "$found" "$((peak / 1024))" \
        "$(awk -v t="${MEDIAN[search-$size]}" -v n="$size" 'BEGIN { printf "%.2f", t * 1000 / n }')"
    for peer in find bfs fdfind; do
        RESULTS+=("$(awk -v a="${MEDIAN[search-$size]}" -v b="${MEDIAN[$peer-$size]}" -v name="search-vs-$peer-$size" \
            'BEGIN { printf "%s: %.2fx", name, (b > 0 ? a / b : 0) }')")
    done
    rm -rf "$tree"
done
echo "---"
printf '%s\n' "${RESULTS[@]}"
