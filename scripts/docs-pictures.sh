#!/usr/bin/env bash
# Remakes the pictures of the README under docs/ with the built programs on
# Qt's offscreen platform (no display needed), given the build folder: the
# window on three examples, a batch picture of the joined Wenner profile, the
# example sounding with its model and the Schlumberger profile inverted.
set -euo pipefail
build=${1:-build/release}
cd "$(dirname "$0")/.."

"$build/app/VeskTools" --window-picture docs/window.png --window-size 1280x860 \
  examples/schlumberger.s2d examples/sounding.d1d examples/wenner.d2d
"$build/cli/vesk" plot examples/wenner.d2d --append examples/wenner-roll.d2d --quality 5 \
  --size 900x420 -o docs/wenner-joined.png
"$build/cli/vesk" plot examples/sounding.d1d --model -o docs/sounding-model.png
"$build/cli/vesk" plot examples/schlumberger.d2d --diagram model-section --size 1100x480 -o docs/section-model.png
echo "wrote docs/window.png, docs/wenner-joined.png, docs/sounding-model.png and docs/section-model.png"
