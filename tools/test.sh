#!/usr/bin/env bash
# Installs what is missing, builds, runs the whole test suite headless, and
# checks the shipped game data with tarn-check.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
(
  cd build
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --output-on-failure -j"$(nproc)"
)
SDL_VIDEODRIVER=dummy ./build/tarn-check data/levels
