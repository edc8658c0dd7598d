#!/usr/bin/env bash
# The main job on the bundled examples, given the build folder.
set -euo pipefail
build=${1:-build/release}
cd "$(dirname "$0")/.."

if [[ -x "$build/cli/vesk" && -d examples ]]; then
  shopt -s nullglob
  for f in examples/*.d2d examples/*.d1d examples/*.d0d examples/*.s2d examples/*.s1d; do
    "$build/cli/vesk" info "$f"
    echo
  done
else
  echo "Built: $(ls "$build"/instrument/libvesk_pro.so "$build"/surface/libMeshInterp.so 2>/dev/null | tr '\n' ' ')"
fi
