#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up time: from launching the program with no settings file to the
# first painted main window, under Xvfb, side by side with a bare Qt window
# holding one list view (bare_window), the two alternating run by run.
# Prints each run and the medians.
# Usage: bench/startup.sh [runs]   (default 5; BUILD_DIR as in lib.sh)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
runs=${1:-${ROUNDS:-5}}
bench_need Xvfb:xvfb xauth:xauth
bench_build startup_probe bare_window
probe=$BUILD_DIR/bench/startup/startup_probe
bare=$BUILD_DIR/bench/startup/bare_window

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

# One warm-up run of each so that every run finds the libraries in the page cache.
for program in "$probe" "$bare"; do
    HOME=$work/warm XDG_CONFIG_HOME=$work/warm/config XDG_DATA_HOME=$work/warm/data "$program" >/dev/null 2>&1 || true
done

# Milliseconds from the launch of the program to its first paint.
launch() {
    local home=$work/run$RANDOM$RANDOM start end
    mkdir -p "$home"
    start=$(date +%s%N)
    end=$(cd "$home" && HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
        "$1" 2>/dev/null | tail -n 1)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) / 1e6 }'
}

measure() {
    times=()
    bare_times=()
    for ((i = 1; i <= runs; i++)); do
        if ((i % 2)); then
            times+=("$(launch "$probe")")
            bare_times+=("$(launch "$bare")")
        else
            bare_times+=("$(launch "$bare")")
            times+=("$(launch "$probe")")
        fi
        echo "run $i: ${times[-1]} ms, bare window ${bare_times[-1]} ms"
    done
}
measure
if [ "$(printf '%s\n' "${times[@]}" | spread)" -gt 30 ] || [ "$(printf '%s\n' "${bare_times[@]}" | spread)" -gt 30 ]; then
    echo "the runs spread more than 30%: measured again"
    measure
fi
med=$(printf '%s\n' "${times[@]}" | median)
bare_med=$(printf '%s\n' "${bare_times[@]}" | median)
echo "median start-up to first paint: ${med} ms, bare Qt window ${bare_med} ms ($(ratio "$med" "$bare_med"); target: at most 1.5x)"
bench_row "start-up to the painted window (no settings)" "$med" ms "bare Qt window, one list view" "$bare_med" "<=1.5x" \
    "" "$(printf '%s\n' "${times[@]}" | spread)% / $(printf '%s\n' "${bare_times[@]}" | spread)%"
