#!/bin/sh
# Installs the Debian packages that building (and, with "test", testing; with
# "package", building the .deb; with "fuzz", fuzzing with clang and libFuzzer)
# needs. Usage: scripts/install-deps.sh [test|package|fuzz]
set -e
packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n \
  libglib2.0-dev libsimpleini-dev libicu-dev fonts-ipafont-gothic"
packages="$packages libxcb1-dev"  # reading another program's clipboard off the window's thread
if [ "$1" = "test" ]; then
  packages="$packages libgtest-dev libgmock-dev"
elif [ "$1" = "package" ]; then
  packages="$packages dpkg-dev file"
elif [ "$1" = "fuzz" ]; then
  # clang and the runtime libraries (libFuzzer, sanitizers) of the same version.
  packages="$packages clang libclang-rt-dev"
fi
if [ "$1" = "test" ]; then
  packages="$packages xvfb xclip"  # reading another X client's clipboard
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
