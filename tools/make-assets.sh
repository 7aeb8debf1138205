#!/usr/bin/env bash
# Regenerates every asset of the game under data/ (pictures, sprite and
# animation files, fonts, levels, dialogues, sounds, music) from the
# generators in tools/assets/, then checks the result: the generated media
# with tools/assets/check_assets.py, every data file the game reads with the
# game's own checker (build/tarn-check, built by tools/build.sh or cmake). The output is the same
# on every run (fixed random seeds), and the generated files are committed:
# the game itself never needs these tools.
#
#   bash tools/make-assets.sh           regenerate and check
#   bash tools/make-assets.sh --check   only check the committed files
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-tools-deps.sh

PY=/usr/bin/python3
export PYTHONDONTWRITEBYTECODE=1
cd tools/assets
if [ "${1:-}" != "--check" ]; then
  # fonts first: the other generators measure text with them
  $PY make_fonts.py
  $PY make_ui.py
  $PY make_background.py
  $PY make_sprites.py
  $PY make_levels.py
  $PY make_sounds.py
  $PY make_icons.py
fi
$PY check_assets.py
cd ../..
if [ ! -x build/tarn-check ]; then
  echo "build/tarn-check is missing: build the project first (README)" >&2
  exit 1
fi
SDL_VIDEODRIVER=dummy build/tarn-check data/levels
