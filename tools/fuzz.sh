#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) into build-fuzz/ and runs one of them, or all in turn.
# Usage: bash tools/fuzz.sh TARGET|all [seconds per target, default 600]
#                           [executions per target, default no limit]
# Targets: xml calculator console ogf sprite image level dialogue background
# record. They run one at a time from the game's folder (the game's loaders
# read data/), each with its dictionary engine/fuzz/dict/<target>.dict.
# The corpus grows in build-fuzz/corpus/<target>/; a failing input (crash,
# leak, hang over 10 s, more than 2 GB of memory) is written to
# build-fuzz/artifacts/<target>/ and belongs, once fixed, in the target's
# fuzz_regressions/<target>/ folder under engine/tests, which the unit tests
# replay. Every run's figures are appended to build-fuzz/runs.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

TARGETS=(xml calculator console ogf sprite image level dialogue background record)

# The test folder whose fuzz_regressions/ holds the target's failed inputs.
regression_dir() {
  case "$1" in
    xml|calculator) echo engine/tests/utils ;;
    console) echo engine/tests/console ;;
    ogf) echo engine/tests/gfx/font ;;
    sprite|image) echo engine/tests/gfx ;;
    level|dialogue|background) echo engine/tests/horror ;;
    record) echo engine/tests/tasks ;;
  esac
}

usage() {
  local IFS='|'
  echo "usage: bash tools/fuzz.sh ${TARGETS[*]}|all [seconds [executions]]" >&2
  exit 2
}

target="${1:-}"
seconds="${2:-600}"
executions="${3:-0}"
[[ "$seconds" =~ ^[0-9]+$ ]] || usage
[[ "$executions" =~ ^[0-9]+$ ]] || usage
runs_limit=()
if [ "$executions" -gt 0 ]; then
  runs_limit=(-runs="$executions")
fi
if [ "$target" = all ]; then
  selected=("${TARGETS[@]}")
elif [[ " ${TARGETS[*]} " == *" $target "* ]]; then
  selected=("$target")
else
  usage
fi

bash tools/install-deps.sh --fuzz
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_FUZZERS=ON >/dev/null
cmake --build build-fuzz -j2 --target "${selected[@]/#/fuzz_}"

# Runs one target; prints its executions and rate. Returns the fuzzer's status.
run_target() {
  local name="$1"
  local corpus="build-fuzz/corpus/$name"
  local artifacts="build-fuzz/artifacts/$name"
  local regressions
  regressions="$(regression_dir "$name")/fuzz_regressions/$name"
  local log="build-fuzz/logs/$name-$(date -u +%Y%m%dT%H%M%S).log"
  mkdir -p "$corpus" "$artifacts" "$regressions" build-fuzz/logs
  local dict=()
  if [ -f "engine/fuzz/dict/$name.dict" ]; then
    dict=(-dict="engine/fuzz/dict/$name.dict")
  fi

  echo "== $name: $seconds s, log in $log"
  local status=0
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
  "build-fuzz/engine/fuzz/fuzz_$name" -max_total_time="$seconds" "${runs_limit[@]}" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "${dict[@]}" -artifact_prefix="$artifacts/" \
    "$corpus" "engine/fuzz/seeds/$name" "$regressions" >"$log" 2>&1 || status=$?

  # "Done N runs in S second(s)" on a normal end; the last stat line when the
  # fuzzer stopped at a failure.
  local runs secs rate
  runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *\([0-9]*\).*/\1/p' "$log" | tail -1)
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  if [ -z "$runs" ]; then
    runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
    rate=$(grep -o 'exec/s: [0-9]*' "$log" | tail -1 | sed 's/exec\/s: //')
  fi
  local outcome=ok
  if [ "$status" -ne 0 ]; then
    outcome="FAILED (status $status): $(grep -m1 -E '^==[0-9]+==ERROR|SUMMARY|runtime error|ALARM|out-of-memory' "$log" || echo see log)"
  fi
  local line="$name: ${runs:-0} executions in ${secs:-?} s, ${rate:-?} exec/s, corpus $(ls "$corpus" | wc -l) files, $outcome"
  echo "$line"
  echo "$(date -u +%Y-%m-%dT%H:%M:%SZ) $line" >>build-fuzz/runs.txt
  return "$status"
}

failed=()
for name in "${selected[@]}"; do
  run_target "$name" || failed+=("$name")
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "failed: ${failed[*]} (inputs in build-fuzz/artifacts/)"
  exit 1
fi
