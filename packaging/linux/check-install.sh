#!/bin/sh
# Installs a build into a scratch prefix and checks what lands there: the
# files in their places, a desktop entry whose Exec and Icon name installed
# files, and, where the tools are installed, desktop-file-validate and
# appstreamcli on the installed tree.
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
share/icons/hicolor/scalable/apps/$id.svg
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
