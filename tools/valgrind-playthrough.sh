#!/usr/bin/env bash
# Plays the recorded play-through (engine/tests/data/records/playthrough.txt)
# in the real game under valgrind memcheck, headless, and prints the error
# count, the leaked bytes and the run time. Fails when memcheck finds an
# error or a definitely lost block, or when the play-through does not reach
# every level. Leaks and misreports of system libraries are suppressed by
# tools/valgrind/system.supp; our own code never is.
#
# Usage: tools/valgrind-playthrough.sh [horror binary, default build/horror]
# The scratch folder with valgrind.txt and the game's log.txt is kept and
# named at the end.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BINARY="$(realpath "${1:-$ROOT/build/horror}")"
RECORD="$ROOT/engine/tests/data/records/playthrough.txt"
# Memcheck slows the game several times; the play-through takes 85 s natively.
TIME_LIMIT=${TARN_VALGRIND_TIME_LIMIT:-3600}

bash "$ROOT/tools/install-deps.sh" --valgrind
if [ "$#" -eq 0 ]; then
  bash "$ROOT/tools/build.sh" >/dev/null
fi

DIR="$(mktemp -d /tmp/tarn-valgrind.XXXXXX)"
ln -s "$ROOT/data" "$DIR/data"
cat > "$DIR/autoexec.txt" <<SCRIPT
load( "$ROOT/autoexec.txt" )
Debug::PlaybackInput( "$RECORD" )
SCRIPT

cd "$DIR"
start=$(date +%s)
set +e
XDG_CONFIG_HOME="$DIR/config" XDG_STATE_HOME="$DIR/state" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout --signal=TERM "$TIME_LIMIT" \
  valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite --error-exitcode=99 --num-callers=40 \
    --suppressions="$ROOT/tools/valgrind/system.supp" --gen-suppressions=all \
    --log-file=valgrind.txt "$BINARY" >stdout.txt 2>&1
status=$?
set -e
seconds=$(( $(date +%s) - start ))

summary() { grep -m1 "$1" valgrind.txt | sed 's/^==[0-9]*== *//' || echo "$1 (not reported)"; }
echo "Run time: ${seconds} s, exit status ${status}"
summary "ERROR SUMMARY"
summary "definitely lost:"
summary "indirectly lost:"
summary "possibly lost:"
summary "still reachable:"
levels=$(grep -c "Level loaded: " log.txt || true)
echo "Levels played: $levels of 5"
echo "Valgrind report and game log: $DIR"

if [ "$status" -ne 0 ] || [ "$levels" -lt 5 ]; then
  echo "valgrind-playthrough: FAILED" >&2
  exit 1
fi
definite=$(grep -m1 "definitely lost:" valgrind.txt | sed 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/' | tr -d ,)
if [ "${definite:-0}" != "0" ]; then
  echo "valgrind-playthrough: FAILED, $definite bytes definitely lost" >&2
  exit 1
fi
echo "valgrind-playthrough: passed"
