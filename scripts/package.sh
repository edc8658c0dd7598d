#!/usr/bin/env bash
# Installs what is missing, builds a release and makes the Debian package
# quelvo-tools_VERSION_ARCH.deb in build/release/package, then checks it with
# lintian. Install it with: apt install ./build/release/package/quelvo-tools_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh build package

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)

shopt -s nullglob
packages=("$build"/package/quelvo-tools_*.deb)
for deb in "${packages[@]}"; do
    echo "== $deb"
    dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
    lintian --fail-on error "$deb"
done
