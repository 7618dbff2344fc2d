#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what a distribution would: the Debian package that CPack makes from a
# built tree must pass lintian with nothing to say, and every file of the
# source tree must carry its licence (reuse lint).
# Usage: scripts/check-package.sh [build folder]   (default build/package)
set -e
cd "$(dirname "$0")/.."
build=${1:-build/package}
rm -f "$build"/dorvanquellis_*.deb
log=$(cd "$build" && cpack 2>&1) || { echo "$log"; exit 1; }
deb=$(ls "$build"/dorvanquellis_*.deb)
# lintian warns when run as root: then it runs as nobody, on a copy it can read.
if [ "$(id -u)" -eq 0 ]; then
  copy=$(mktemp -d)
  trap 'rm -rf "$copy"' EXIT
  chmod 755 "$copy"
  cp "$deb" "$copy/"
  report=$(cd / && runuser -u nobody -- lintian "$copy/$(basename "$deb")" 2>&1) || true
else
  report=$(lintian "$deb" 2>&1) || true
fi
if [ -n "$report" ]; then
  echo "lintian $deb:"
  echo "$report"
  exit 1
fi
echo "lintian: $deb is clean"
reuse lint --quiet || { reuse lint | sed -n '/^# MISSING/,/^# SUMMARY/p'; exit 1; }
echo "reuse lint: compliant"
