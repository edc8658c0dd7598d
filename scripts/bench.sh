#!/usr/bin/env bash
# Installs what is missing, builds a release with the benchmarks in
# build/bench and runs them; the surface benchmark also times SciPy's cubic
# griddata on the same points and grid, and the 2D presenter benchmark a live
# matplotlib figure redrawn after the same filter change, and print the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh build bench

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESK_BENCH=ON
cmake --build "$build" -j"$(nproc)"

for benchmark in "$build"/bench/*_bench; do
  [[ -x "$benchmark" ]] || continue
  echo "== $(basename "$benchmark")"
  "$benchmark"
done
