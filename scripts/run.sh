#!/usr/bin/env bash
# Installs what is missing, builds everything (release) and runs the main job
# on the bundled example surveys.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh build

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"

bash scripts/main-job.sh "$build"
