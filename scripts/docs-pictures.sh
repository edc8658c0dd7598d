#!/usr/bin/env bash
# Remakes the pictures of the README under docs/ with the built programs on
# Qt's offscreen platform (no display needed), given the build folder: the
# window on three examples, and a batch picture of the joined Wenner profile.
set -euo pipefail
build=${1:-build/release}
cd "$(dirname "$0")/.."

"$build/app/VeskTools" --window-picture docs/window.png --window-size 1280x860 \
  examples/schlumberger.s2d examples/sounding.d1d examples/wenner.d2d
"$build/cli/vesk" plot examples/wenner.d2d --append examples/wenner-roll.d2d --quality 5 \
  --size 900x420 -o docs/wenner-joined.png
echo "wrote docs/window.png and docs/wenner-joined.png"
