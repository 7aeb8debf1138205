#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) into build-fuzz/ and runs one of them.
# Usage: bash tools/fuzz.sh xml|calculator [seconds, default 600]
# The corpus grows in build-fuzz/corpus/<target>/; a failing input is written
# to build-fuzz/artifacts/<target>/ and belongs, once fixed, in
# engine/tests/utils/fuzz_regressions/<target>/, which the unit tests replay.
set -euo pipefail
cd "$(dirname "$0")/.."

target="${1:-}"
seconds="${2:-600}"
case "$target" in
  xml|calculator) ;;
  *) echo "usage: bash tools/fuzz.sh xml|calculator [seconds]" >&2; exit 2 ;;
esac

bash tools/install-deps.sh --fuzz
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_FUZZERS=ON >/dev/null
cmake --build build-fuzz -j2 --target "fuzz_$target"

corpus="build-fuzz/corpus/$target"
artifacts="build-fuzz/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
exec "build-fuzz/engine/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
  -artifact_prefix="$artifacts/" "$corpus" "engine/fuzz/seeds/$target" \
  "engine/tests/utils/fuzz_regressions/$target"
