#!/usr/bin/env bash
# Makes the engine's built-in system font from the public-domain X11 "fixed"
# 8x13 bitmap font (Debian package xfonts-base) and writes it, run-length
# encoded, to engine/src/tarn/gfx/font/csystemfontdata.cpp, with a sample
# line in that font for the tests (engine/tests/data/fonts/). The generated
# files are committed; running this again reproduces them byte for byte.
# With an argument, also saves the glyph strip as that PNG file to look at.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tools
mkdir -p engine/tests/data/fonts
/usr/bin/python3 tools/systemfont.py engine/src/tarn/gfx/font/csystemfontdata.cpp \
    engine/tests/data/fonts/systemfont_sample.png "$@"
