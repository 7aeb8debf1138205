#!/usr/bin/env bash
# Installs what is missing, builds, checks the shipped game data with
# tarn-check, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
SDL_VIDEODRIVER=dummy ./build/tarn-check data/levels
cd build
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --output-on-failure -j"$(nproc)"
