#!/usr/bin/env bash
# Installs the Debian packages that a job needs and that are not installed yet.
# Usage: scripts/deps.sh GROUP...   (groups: build, bench, package)
set -euo pipefail

packages_of() {
  case "$1" in
    build) echo cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev help2man qt6-base-dev qt6-svg-dev libqcustomplot-dev libqcustomplot2.1-qt6 libgl-dev fonts-dejavu-core libeigen3-dev libsuitesparse-dev ;;
    bench) echo libbenchmark-dev python3 python3-numpy python3-scipy python3-matplotlib ;;
    package) echo dpkg-dev file pkgconf lintian ;;
    *) echo "deps.sh: unknown group '$1'" >&2; exit 2 ;;
  esac
}

wanted=()
for group in "$@"; do
  for pkg in $(packages_of "$group"); do wanted+=("$pkg"); done
done

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done

if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
