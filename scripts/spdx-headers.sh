#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Gives every tracked file without licence information the project's two-line
# header (reuse annotate, template .reuse/templates/compact.jinja2), then runs
# reuse lint. Files that cannot hold a comment are covered by .reuse/dep5, and
# a file that has a header keeps it. Safe to run again at any time.
# Usage: scripts/spdx-headers.sh
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh licences
list=$(mktemp)
trap 'rm -f "$list"' EXIT

# annotate LICENCE [reuse options...] < file names, one per line: those that
# state no licence yet get the header (a copyright line alone, as a text the
# program shows, is no header).
annotate() {
  licence=$1; shift
  tr '\n' '\0' | xargs -0 -r grep -L -Z "SPDX""-License-Identifier:" |
    xargs -0 -r reuse annotate --template compact \
      --copyright "The Dorvanquellis developers" --license "$licence" "$@" >/dev/null
}

# The AppStream metadata is CC0-1.0, as its metadata_license says.
git ls-files 'packaging/linux/*.metainfo.xml' | annotate CC0-1.0
# Tracked files less those .reuse/dep5 covers.
git ls-files |
  grep -vE '^(fuzz/corpus/|scripts/mutants/|packaging/linux/debian/|LICENSES/|\.reuse/)|\.(png|svg)$' >"$list"
# Types that reuse knows by their extension, then the ones it does not.
annotate GPL-3.0-or-later --skip-unrecognised <"$list"
grep -E '\.(desktop|supp|tsv)$|(^|/)run$' "$list" | annotate GPL-3.0-or-later --style python
grep -E '\.qrc$' "$list" | annotate GPL-3.0-or-later --style html
reuse lint --quiet || { reuse lint | sed -n '/^# MISSING/,/^# SUMMARY/p'; exit 1; }
echo "reuse lint: compliant"
