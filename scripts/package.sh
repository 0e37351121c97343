#!/usr/bin/env bash
# Builds the Debian package: installs what it needs, builds Release with
# Debian's hardening flags into build-package/ and runs CPack's DEB
# generator. Writes build/vyrasensorselector_VERSION_amd64.deb and prints
# its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh dpkg-dev file >&2
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DVYRA_BUILD_TESTS=OFF -DVYRA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >&2
cmake --build build-package >&2
rm -f build-package/vyrasensorselector_*.deb
(cd build-package && cpack -G DEB >&2)
mkdir -p build
package=$(ls build-package/vyrasensorselector_*_amd64.deb)
cp "$package" build/
echo "build/$(basename "$package")"
