#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the program as a user would with no display (a window would fail to
# open): --help and --version answer, a wrong option exits 2 with a message,
# and both manual pages name every option that --help lists.
# Usage: check-command-line.sh <executable> <version> <man page> <Japanese man page>
set -u
exe=$1 version=$2 man=$3 man_ja=$4
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run LANG ARGS...: runs the program with no display; status in $status.
run() {
  lang=$1; shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES \
    QT_QPA_PLATFORM=xcb LANG="$lang" "$exe" "$@" >"$out" 2>"$err" </dev/null
  status=$?
}

# args | language | status | stream | text it holds
while IFS='|' read -r args lang want stream text; do
  # shellcheck disable=SC2086  # the arguments are split on purpose
  run "$lang" $args
  [ "$status" = "$want" ] || fail "$args ($lang): status $status, not $want: $(cat "$err")"
  grep -qF -- "$text" "$stream" || fail "$args ($lang): no '$text' in $(cat "$stream")"
done <<ROWS
--version|C.UTF-8|0|$out|Dorvanquellis $version
-v|C.UTF-8|0|$out|Dorvanquellis $version
--help|C.UTF-8|0|$out|Show the version and exit.
--help|ja_JP.UTF-8|0|$out|バージョンを表示して終了します。
--bogus /tmp|C.UTF-8|2|$err|Unknown option 'bogus'.
--bogus|ja_JP.UTF-8|2|$err|使い方は「dorvanquellis --help」
/tmp -platform|C.UTF-8|2|$err|-platform
ROWS

run C.UTF-8 --version
[ "$(cat "$out")" = "Dorvanquellis $version" ] || fail "--version printed: $(cat "$out")"
[ -s "$err" ] && fail "--version wrote to standard error: $(cat "$err")"

run C.UTF-8 --help
for option in $(grep -oE -- '--[a-z][a-z-]*' "$out" | sort -u); do
  manual=$(echo "$option" | sed 's/-/\\\\-/g')
  for page in "$man" "$man_ja"; do
    grep -q -- "$manual" "$page" || fail "$page does not name $option"
  done
done

[ "$failures" = 0 ] || exit 1
echo "command line: ok"
