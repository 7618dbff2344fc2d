#!/bin/sh
# Installs the Debian packages that building (and, with "test", testing; with
# "package", building the .deb; with "fuzz", fuzzing with clang and libFuzzer)
# needs. Usage: scripts/install-deps.sh [test|package|fuzz]
set -e
packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n \
  libglib2.0-dev libsimpleini-dev libicu-dev fonts-ipafont-gothic"
if [ "$1" = "test" ]; then
  packages="$packages libgtest-dev libgmock-dev"
elif [ "$1" = "package" ]; then
  packages="$packages dpkg-dev file"
elif [ "$1" = "fuzz" ]; then
  # clang and the runtime libraries (libFuzzer, sanitizers) of the same version.
  packages="$packages clang libclang-rt-dev"
fi
# The engine's file-system matrix (run as root): XFS and btrfs images, FUSE.
[ "$1" = "test" ] && packages="$packages xfsprogs btrfs-progs fuse3 libfuse3-dev"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
