#!/usr/bin/env bash
# `vesk plot` of a long roll-along line against `vesk export` of the same join
# plus one picture: SPREADS Wenner spreads (48 electrodes, levels 1 to 15,
# each a roll-along continuation one cable further along) made with
# `vesk sequence` and `vesk synth`, then
#   export:  vesk export FIRST --append REST... -o line.dat
#   picture: vesk plot FIRST -o one.png            (one spread drawn)
#   plot:    vesk plot FIRST --append REST... -o line.png
# each timed as the best of RUNS runs (seconds of wall time). The plot of the
# line should cost at most twice export + picture, plus what drawing the
# larger map costs itself (gridding grows with the points on the map).
#
# Usage: bench/plot_join_timing.sh [BUILD_DIR] [SPREADS] [RUNS]
#        (a release build, e.g. build/bench; defaults build/bench 200 3)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/bench}
spreads=${2:-200}
runs=${3:-3}
vesk="$PWD/$build/cli/vesk"
[[ -x "$vesk" ]] || { echo "no vesk in $build (build the targets vesk and vesk-plot)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/plot_join_timing-XXXXXX")
trap 'rm -rf "$work"' EXIT

# The first spread, then each roll-along continuation one cable (24 x 5 m)
# further along.
for ((k = 0; k < spreads; ++k)); do
  name=$(printf 'spread%03d' "$k")
  if ((k == 0)); then design=(--origin 0); else design=(--roll-along --origin $(((k - 1) * 120))); fi
  "$vesk" sequence 2d --array wenner --group 1,15,1,1 "${design[@]}" -o "$work/$name.s2d" > /dev/null
  "$vesk" synth "$work/$name.s2d" --rho 100,20,500 --thickness 5,15 --seed $((k + 1)) -o "$work/$name.d2d" 2> /dev/null
done

first="$work/spread000.d2d"
appends=()
for ((k = 1; k < spreads; ++k)); do appends+=(--append "$(printf '%s/spread%03d.d2d' "$work" "$k")"); done

# Best wall time of $runs runs of the command, in seconds.
best() {
  local fastest=""
  for ((r = 0; r < runs; ++r)); do
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s.%N)
    fastest=$(echo "$start $end ${fastest:-inf}" | awk '{t = $2 - $1; print ($3 == "inf" || t < $3) ? t : $3}')
  done
  echo "$fastest"
}

export_s=$(best "$vesk" export "$first" "${appends[@]}" -o "$work/line.dat")
picture_s=$(best "$vesk" plot "$first" -o "$work/one.png")
plot_s=$(best "$vesk" plot "$first" "${appends[@]}" -o "$work/line.png")
awk -v n="$spreads" -v e="$export_s" -v p="$picture_s" -v l="$plot_s" 'BEGIN {
  printf "%d spreads: export %.3f s, one picture %.3f s, plot of the line %.3f s; ratio %.2f\n", n, e, p, l, l / (e + p)
}'
