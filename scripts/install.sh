#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package of Dorvanquellis into build/package/ and installs
# it with apt, which pulls in the libraries it needs; with --package-only it
# stops after building the package. Remove it again with: apt remove dorvanquellis
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
# Debian's hardening flags, as a distribution's build of the package has them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVAN_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build/package
rm -f build/package/dorvanquellis_*.deb
(cd build/package && cpack)
[ "$1" = "--package-only" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y ./build/package/dorvanquellis_*.deb
