#!/usr/bin/env bash
# The main job on the bundled examples, given the build folder: vesk info on
# every example file, then one Res2DInv export of the Wenner profile joined
# with its second roll-along spread, and its pseudo-section as a PNG.
set -euo pipefail
build=${1:-build/release}
cd "$(dirname "$0")/.."
vesk="$build/cli/vesk"

shopt -s nullglob
for f in examples/*.s2d examples/*.s1d examples/*.d2d examples/*.d1d examples/*.d0d; do
  echo "\$ vesk info $f"
  "$vesk" info "$f" --first 5
  echo
done

out="$build/main-job"
mkdir -p "$out"
echo "\$ vesk export examples/wenner.d2d --append examples/wenner-roll.d2d --quality 5 -o $out/wenner-joined.dat"
"$vesk" export examples/wenner.d2d --append examples/wenner-roll.d2d --quality 5 -o "$out/wenner-joined.dat"
echo "$out/wenner-joined.dat: $(wc -l < "$out/wenner-joined.dat") lines; the first 12:"
head -n 12 "$out/wenner-joined.dat"

# The joined profile's pseudo-section as a picture (no display needed).
if [[ -x "$build/cli/vesk-plot" ]]; then
  echo
  echo "\$ vesk plot examples/wenner.d2d --append examples/wenner-roll.d2d --quality 5 -o $out/wenner-joined.png"
  "$vesk" plot examples/wenner.d2d --append examples/wenner-roll.d2d --quality 5 -o "$out/wenner-joined.png"
  echo "$out/wenner-joined.png: $(wc -c < "$out/wenner-joined.png") bytes"
fi

# With a display, the desktop program opens on the example surveys.
program="$build/app/VeskTools"
if [[ -x "$program" ]]; then
  if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    echo
    echo "\$ VeskTools examples/wenner.d2d examples/schlumberger.s2d examples/sounding.d1d examples/series.d0d"
    "$program" examples/wenner.d2d examples/schlumberger.s2d examples/sounding.d1d examples/series.d0d
  else
    echo
    echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): the desktop program $program was built but not started."
  fi
fi
