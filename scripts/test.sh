#!/bin/sh
# Builds Dorvanquellis with its tests and runs every test (headless; the
# journeys bring their own X display each).
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVAN_BUILD_TESTS=ON
cmake --build build/test
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
