#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang (build/fuzz) and runs each in turn on
# a working copy of its committed corpus (fuzz/corpus/<target>/). Prints the
# executions and findings of every target and exits non-zero on any finding.
#   scripts/fuzz.sh [--runs N] [--seconds S] [--max-len B] [target ...]
# Each target stops after N executions (10,000,000) or S seconds (1200),
# whichever comes first; inputs are at most B bytes (4096). A finding is kept
# in build/fuzz/findings/<target>/: fix the fault and add the input to fuzz/corpus/<target>/, where the replay
# test of the normal suite runs it.
set -e
cd "$(dirname "$0")/.."

# Every parser of outside input.
targets="ini_file data_file filter_syntax split_wx wildcard_mask uri_list mount_table
  clipboard_paste search_mask hidden_file"

runs=10000000
seconds=1200
max_len=4096
chosen=""
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --max-len) max_len="$2"; shift 2 ;;
    *) chosen="$chosen $1"; shift ;;
  esac
done
[ -n "$chosen" ] && targets="$chosen"

scripts/install-deps.sh
scripts/install-deps.sh fuzz
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DDORVAN_FUZZ=ON -DDORVAN_BUILD_TESTS=OFF >/dev/null
build_targets=""
for t in $targets; do build_targets="$build_targets fuzz_$t"; done
cmake --build build/fuzz --target $build_targets

total_runs=0
total_findings=0
report=""
for t in $targets; do
  work="build/fuzz/work/$t"
  findings="build/fuzz/findings/$t"
  log="build/fuzz/logs/$t.log"
  rm -rf "$findings"
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  cp fuzz/corpus/"$t"/* "$work"/
  status=0
  build/fuzz/fuzz/fuzz_"$t" "$work" -runs="$runs" -max_total_time="$seconds" -max_len="$max_len" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    >"$log" 2>&1 || status=$?
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  found=$(find "$findings" -type f | wc -l)
  [ "$status" -ne 0 ] && [ "$found" -eq 0 ] && found=1  # stopped without leaving an input
  line="$t: ${executed:-0} executions, $found findings"
  [ "$found" -gt 0 ] && line="$line (log: $log)"
  echo "$line"
  report="$report$line
"
  total_runs=$((total_runs + ${executed:-0}))
  total_findings=$((total_findings + found))
done
echo "---"
printf '%s' "$report"
echo "fuzz: $total_runs executions, $total_findings findings"
[ "$total_findings" -eq 0 ]
