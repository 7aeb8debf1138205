#!/usr/bin/env bash
# Line and branch coverage of engine/src by the whole test suite, with gcovr.
# Builds an instrumented copy into build-coverage/ (compiler cache: ccache),
# runs the suite headless there, and prints the summary; an HTML report with
# every file lands in build-coverage/coverage/index.html.
#
#   bash tools/coverage.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --coverage --mutation

export CCACHE_DIR="$PWD/build-coverage/ccache"
cmake -S . -B build-coverage -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build-coverage -j"$(nproc)"
find build-coverage -name '*.gcda' -delete

export XDG_CONFIG_HOME="$(mktemp -d)" XDG_STATE_HOME="$(mktemp -d)"
(cd build-coverage && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest -j"$(nproc)" >ctest.log) || {
  echo "coverage: the suite failed, see build-coverage/ctest.log" >&2
  exit 1
}

# CMake's compiler probe is instrumented too; it is no part of the engine.
find build-coverage/CMakeFiles -name '*.gcno' -delete
mkdir -p build-coverage/coverage
# Exceptions thrown by the standard library and branches the compiler adds
# for itself are no choices of ours: they are left out of the branch count.
gcovr --root . --filter 'engine/src/' --object-directory build-coverage \
  --exclude-throw-branches --exclude-unreachable-branches \
  --html-details build-coverage/coverage/index.html --print-summary
