#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the tests with sanitizers and runs them; a sanitizer report fails the
# test it happens in, and the run. Prints the tests run and the reports found.
#   scripts/sanitize.sh          AddressSanitizer (with leaks) and UBSan, every test (build/asan)
#   scripts/sanitize.sh --fast   the same, the tests of the floors without Qt and the fuzz corpus
#   scripts/sanitize.sh thread   ThreadSanitizer, the tests that run the file-operation
#                                worker thread (build/tsan)
# Suppressions (tests/sanitizers/) name only code of Qt and GLib themselves.
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
supp="$(pwd)/tests/sanitizers"

case "${1:-}" in
  "") sanitizers=address,undefined; dir=build/asan; targets=""; tests="" ;;
  --fast) sanitizers=address,undefined; dir=build/asan
          targets="--target test_util test_engine test_fuzz"; tests="^(util|engine|fuzz)$" ;;
  thread) sanitizers=thread; dir=build/tsan
          targets="--target test_platform test_app"; tests="^(platform|app)$" ;;
  *) echo "usage: scripts/sanitize.sh [--fast|thread]" >&2; exit 2 ;;
esac

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVAN_BUILD_TESTS=ON \
  -DDORVAN_SANITIZE="$sanitizers" >/dev/null
cmake --build "$dir" $targets

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# GLib's slice allocator hands memory between threads under its own futexes;
# plain malloc is what the sanitizers can follow.
export G_SLICE=always-malloc
export TSAN_OPTIONS="suppressions=$supp/tsan.supp:halt_on_error=1:second_deadlock_stack=1"
cd "$dir"
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 1200 ${tests:+-R "$tests"} || status=$?
reports=$(grep -cE '^(==[0-9]+==ERROR: |WARNING: ThreadSanitizer|SUMMARY: UndefinedBehaviorSanitizer|.*: runtime error: )' \
  Testing/Temporary/LastTest.log || true)
echo "sanitize ($sanitizers): ${reports:-0} reports, ctest status $status"
[ "$status" -eq 0 ] && [ "${reports:-0}" -eq 0 ]
