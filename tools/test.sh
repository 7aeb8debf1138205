#!/usr/bin/env bash
# Installs what is missing, builds, checks that docs/commands.md is what the
# game prints, checks the shipped game data with tarn-check, and runs the
# whole test suite headless: once in the normal build (build/) and once in
# the sanitizer build (build-asan/, AddressSanitizer with LeakSanitizer and
# UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$0")/.."

run_suite() {
  local dir="$1"
  SDL_VIDEODRIVER=dummy "./$dir/tarn-check" data/levels
  (cd "$dir" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --output-on-failure -j"$(nproc)")
}

bash tools/build.sh
bash tools/make-commands-doc.sh --check
run_suite build

bash tools/build-asan.sh
source tools/sanitizers/env.sh
run_suite build-asan
