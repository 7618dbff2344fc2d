#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs a build into a scratch prefix and checks what lands there: the
# files in their places, a desktop entry whose Exec and Icon name installed
# files, manual pages that format without a warning, and, where the tools are
# installed, desktop-file-validate and appstreamcli on the installed tree.
# Usage: check-install.sh <cmake> <build folder> <application id>
set -eu
cmake=$1 build=$2 id=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$cmake" --install "$build" --prefix "$stage/usr" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
cd "$stage/usr"
expected="bin/dorvanquellis
share/applications/$id.desktop
share/doc/dorvanquellis/changelog.gz
share/doc/dorvanquellis/copyright
share/icons/hicolor/scalable/apps/$id.svg
share/man/ja/man1/dorvanquellis.1.gz
share/man/man1/dorvanquellis.1.gz
share/metainfo/$id.metainfo.xml"
installed=$(find . -type f | sed 's|^\./||' | sort)
[ "$installed" = "$(echo "$expected" | sort)" ] || fail "installed files differ:
$installed"
[ -x bin/dorvanquellis ] || fail "bin/dorvanquellis is not executable"

entry=share/applications/$id.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec_line" = "dorvanquellis %F" ] || fail "Exec=$exec_line"
[ "$(sed -n 's/^Icon=//p' "$entry")" = "$id" ] || fail "Icon does not name $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch $id.desktop"

# Both manual pages format without a warning (lintian reads them so too).
for page in share/man/man1/dorvanquellis.1.gz share/man/ja/man1/dorvanquellis.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) ||
    fail "man $page"
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate"
else
  echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net "$stage" || fail "appstreamcli validate-tree"
else
  echo "appstreamcli not installed: skipped"
fi
echo "install layout: ok"
