#!/usr/bin/env bash
# Remakes the example surveys in examples/ with the built vesk.
# Usage: scripts/make-examples.sh [BUILD_FOLDER]   (default build/release)
#
# Every profile lies on one site: 120 Ohm*m topsoil 4 m thick over 25 Ohm*m
# clay 8 m thick over 400 Ohm*m bedrock, the boundaries dipping 1.5 degrees
# along the line (the thicknesses hold at 120 m). The seeds are fixed, so the
# files come out the same on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
vesk="$build/cli/vesk"
if [[ ! -x "$vesk" ]]; then
  echo "make-examples.sh: $vesk not found; build first (bash scripts/run.sh)" >&2
  exit 1
fi

out=examples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

site=(--rho 120,25,400 --thickness 4,8 --dip 1.5 --dip-origin 120)

echo "== 2D design and Schlumberger profile"
"$vesk" sequence 2d --array schlumberger --group 1,6,2,1 --group 3,4,2,5 -o "$out/schlumberger.s2d"
"$vesk" synth "$out/schlumberger.s2d" "${site[@]}" --seed 101 \
  --comment "Quelvo example: Schlumberger profile, line 1" -o "$out/schlumberger.d2d"

echo "== Wenner profile and its second roll-along spread"
"$vesk" sequence 2d --array wenner --group 1,4,1,1 -o "$work/wenner.s2d"
"$vesk" sequence 2d --array wenner --group 1,4,1,1 --roll-along -o "$work/wenner-roll.s2d"
"$vesk" synth "$work/wenner.s2d" "${site[@]}" --seed 201 \
  --comment "Quelvo example: Wenner profile, line 2, spread 1" -o "$out/wenner.d2d"
"$vesk" synth "$work/wenner-roll.s2d" "${site[@]}" --seed 202 \
  --comment "Quelvo example: Wenner profile, line 2, spread 2 (roll-along)" -o "$out/wenner-roll.d2d"

echo "== Dipole-dipole profile with chargeability"
"$vesk" sequence 2d --array dipole-dipole --group 1,4,1,1 -o "$work/dipole-dipole.s2d"
"$vesk" synth "$work/dipole-dipole.s2d" "${site[@]}" --chargeability 0.005,0.06,0.015 --ip-window 120 \
  --seed 301 --comment "Quelvo example: dipole-dipole profile with IP, line 3" -o "$out/dipole-dipole-ip.d2d"

echo "== Forward and reverse pole-dipole pair"
"$vesk" sequence 2d --array fwd-pole-dipole --group 1,3,1,1 -o "$work/pole-dipole-fwd.s2d"
"$vesk" sequence 2d --array rev-pole-dipole --group 1,3,1,1 -o "$work/pole-dipole-rev.s2d"
"$vesk" synth "$work/pole-dipole-fwd.s2d" "${site[@]}" --seed 401 \
  --comment "Quelvo example: forward pole-dipole, line 4" -o "$out/pole-dipole-fwd.d2d"
"$vesk" synth "$work/pole-dipole-rev.s2d" "${site[@]}" --seed 402 \
  --comment "Quelvo example: reverse pole-dipole, line 4" -o "$out/pole-dipole-rev.d2d"

echo "== 1D design and Schlumberger sounding"
"$vesk" sequence 1d --array schlumberger --geometric --group 1,1.5,10 --group 5,1.5,4,2 -o "$out/sounding.s1d"
"$vesk" synth "$out/sounding.s1d" --rho 120,25,400 --thickness 4,8 --seed 501 \
  --comment "Quelvo example: Schlumberger sounding at 120 m, line 1" -o "$out/sounding.d1d"

echo "== 0D series"
"$vesk" synth --series 20 --rho 120,25,400 --thickness 4,8 --chargeability 0,0.05,0 --ip-window 120 \
  --seed 601 --comment "Quelvo example: repeated Wenner measurement" -o "$out/series.d0d"

echo "== Instrument-format (221) and old-format (121) 2D files"
"$vesk" synth "$out/schlumberger.s2d" "${site[@]}" --seed 111 --file-version 221 \
  --comment "Quelvo example: Schlumberger profile, line 1, repeat" -o "$out/instrument-221.d2d"
"$vesk" synth "$work/wenner.s2d" "${site[@]}" --seed 121 --file-version 121 \
  --comment "Quelvo example: Wenner profile, old instrument" -o "$out/old-format-121.d2d"

ls -l "$out"
