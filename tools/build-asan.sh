#!/usr/bin/env bash
# Builds the game, the tools and the tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/, with gcc. -O1 and -g1 (line
# tables only) keep the build quick and still give the reports' stack traces
# their files and lines.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-asan -DTARN_SANITIZE=ON -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" >/dev/null
cmake --build build-asan -j"$(nproc)"
