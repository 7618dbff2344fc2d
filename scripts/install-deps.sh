#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that building (and, with "test", testing; with
# "package", building the .deb; with "fuzz", fuzzing with clang and libFuzzer;
# with "licences", the licence headers) needs.
# Usage: scripts/install-deps.sh [test|package|fuzz|licences]
set -e
packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n \
  libglib2.0-dev libxcb1-dev libsimpleini-dev libicu-dev zlib1g-dev fonts-ipafont-gothic"
if [ "$1" = "test" ]; then
  # and what checks the package and the licences (scripts/check-package.sh)
  packages="$packages libgtest-dev libgmock-dev dpkg-dev file lintian reuse man-db"
  # The journeys: a display server, a window manager, the accessibility bus
  # and its Python binding, real input, the clipboard, the trash through GIO.
  packages="$packages xvfb openbox dbus-daemon at-spi2-core python3-pyatspi xdotool xclip \
    wmctrl libglib2.0-bin gvfs-daemons"
  # The engine's file-system matrix (run as root): XFS and btrfs images, FUSE.
  packages="$packages xfsprogs btrfs-progs fuse3 libfuse3-dev"
elif [ "$1" = "package" ]; then
  packages="$packages dpkg-dev file"
elif [ "$1" = "licences" ]; then
  packages="reuse"
elif [ "$1" = "fuzz" ]; then
  # clang and the runtime libraries (libFuzzer, sanitizers) of the same version.
  packages="$packages clang libclang-rt-dev"
fi
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
