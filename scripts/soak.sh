#!/bin/bash

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Soak: random sequences of copy, move, trash, erase, rename and attribute
# commands on generated trees, each checked against what the commands
# reported (tests/faults/Soak.*). Builds test_faults and runs its soak test.
#
#   scripts/soak.sh [SEED [COUNT]]   sequences SEED .. SEED+COUNT-1
#                                    (default: seed 1, 1000 sequences)
#
# A sequence is replayed by its seed alone: scripts/soak.sh SEED 1 (with
# DORVAN_SOAK_TRACE=1 in the environment, every step is shown). Prints
# the figures (sequences, operations, files checked, findings) and exits
# non-zero on any finding. As root, a second file system (a tmpfs in a
# private mount namespace) takes part; otherwise moves stay on one.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seed=${1:-1}
count=${2:-1000}
build=${DORVAN_BUILD_DIR:-$root/build/test}
[[ $seed =~ ^[0-9]+$ && $count =~ ^[0-9]+$ ]] || { echo "usage: $0 [SEED [COUNT]]" >&2; exit 2; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVAN_BUILD_TESTS=ON &&
       cmake --build "$build" --target test_faults; } >"$log" 2>&1; then
    cat "$log"
    echo "soak: the build failed" >&2
    exit 1
fi
started=$SECONDS
status=0
QT_QPA_PLATFORM=offscreen DORVAN_SOAK_SEED=$seed DORVAN_SOAK_SEQUENCES=$count \
    "$build/tests/test_faults" --gtest_filter='Soak.*' --gtest_brief=1 >"$log" 2>&1 || status=$?

# Findings, each with the steps of its sequence (every step with
# DORVAN_SOAK_TRACE=1), and whatever else the test said.
grep -v '^soak: ' "$log" || true
figures=$(grep -E '^soak: ' "$log" || true)
if [[ -z $figures ]]; then
    cat "$log"
    echo "soak: the test did not report its figures" >&2
    exit 1
fi
echo "$figures"
echo "soak: wall time $((SECONDS - started)) s"
findings=$(sed -E 's/.*findings ([0-9]+).*/\1/' <<<"$figures")
[[ $status -eq 0 && $findings -eq 0 ]] || exit 1
