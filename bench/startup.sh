#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up time: from launching the program with no settings file to the
# first painted main window, under Xvfb. Prints each run and the median.
# Usage: bench/startup.sh [runs]   (default 5; BUILD_DIR as in lib.sh)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
runs=${1:-${ROUNDS:-5}}
bench_need Xvfb:xvfb xauth:xauth
bench_build startup_probe
probe=$BUILD_DIR/bench/startup/startup_probe

work=$(mktemp -d)
xvfb=
cleanup() {
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
# A display number no other server holds.
display=$((90 + $$ % 100))
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for ((i = 0; i < 50; i++)); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
export DISPLAY=:$display QT_QPA_PLATFORM=xcb

# One warm-up run so that every run finds the libraries in the page cache.
HOME=$work/warm XDG_CONFIG_HOME=$work/warm/config XDG_DATA_HOME=$work/warm/data "$probe" >/dev/null 2>&1 || true

times=()
for ((i = 1; i <= runs; i++)); do
    home=$work/run$i
    mkdir -p "$home"
    start=$(date +%s%N)
    end=$(cd "$home" && HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
        "$probe" 2>/dev/null | tail -n 1)
    ms=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')
    echo "run $i: ${ms} ms"
    times+=("$ms")
done
med=$(printf '%s\n' "${times[@]}" | median)
echo "median start-up to first paint: ${med} ms (target: under 200 ms)"
bench_row "start-up to the painted window (no settings)" "$med" ms - - "<200" "runs: ${times[*]} ms"
