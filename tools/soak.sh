#!/usr/bin/env bash
# Soak test, not part of CI: plays the game in the sanitizer build, headless,
# with random input (tools/make-soak-record.py) for the given minutes,
# printing the program's resident size every minute. Then asks it to quit
# (SIGTERM, a normal quit) so that LeakSanitizer checks for leaks at exit,
# and reports whether any sanitizer printed anything and how much the
# resident size grew after minute 5 (at most 1 MB passes).
#
# AddressSanitizer keeps freed memory in a quarantine before reusing it; a
# small one (4 MB) is full within the first minutes, so that it does not
# look like growth.
#
# Usage: tools/soak.sh [minutes, default 30]
# The scratch folder with the game's log and the sanitizer output is kept
# and named at the end.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
MINUTES="${1:-30}"
WARM_UP_MINUTES=5
MAX_GROWTH_KB=1024

bash "$ROOT/tools/install-deps.sh" --soak
bash "$ROOT/tools/build-asan.sh" >/dev/null
# shellcheck source=tools/sanitizers/env.sh
source "$ROOT/tools/sanitizers/env.sh"
DIR="$(mktemp -d /tmp/tarn-soak.XXXXXX)"
# Reports go to files named sanitizer.<pid>, apart from what SDL prints.
export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=4:log_path=$DIR/sanitizer"
export UBSAN_OPTIONS="$UBSAN_OPTIONS:log_path=$DIR/sanitizer"
# Input for two minutes more than the soak, so that it never runs out.
python3 "$ROOT/tools/make-soak-record.py" "$((MINUTES + 2))" "$DIR/record.txt"
ln -s "$ROOT/data" "$DIR/data"
cat > "$DIR/autoexec.txt" <<SCRIPT
load( "$ROOT/autoexec.txt" )
Debug::PlaybackInput( "$DIR/record.txt" )
SCRIPT

cd "$DIR"
XDG_CONFIG_HOME="$DIR/config" XDG_STATE_HOME="$DIR/state" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$ROOT/build-asan/horror" >stdout.txt 2>stderr.txt &
pid=$!

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true; }

declare -a rss
early=""
for minute in $(seq 1 "$MINUTES"); do
  for _ in $(seq 1 60); do
    if ! kill -0 "$pid" 2>/dev/null; then
      early="yes"
      break 2
    fi
    sleep 1
  done
  rss[minute]="$(rss_kb)"
  echo "minute $minute: VmRSS ${rss[minute]} kB"
done

if [ -z "$early" ]; then
  kill -TERM "$pid"
fi
set +e
wait "$pid"
status=$?
set -e

echo "Program exit status: $status"
failed=""
if [ -n "$early" ]; then
  echo "The program ended before the soak did (see $DIR/log.txt)."
  failed="yes"
fi
reports=$(ls sanitizer.* 2>/dev/null || true)
if [ -n "$reports" ]; then
  echo "Sanitizer output (LeakSanitizer, AddressSanitizer or UndefinedBehaviorSanitizer):"
  # shellcheck disable=SC2086
  head -50 $reports
  failed="yes"
else
  echo "LeakSanitizer and the other sanitizers printed nothing."
fi
if [ "$status" -ne 0 ]; then
  failed="yes"
fi
if [ "${#rss[@]}" -gt "$WARM_UP_MINUTES" ]; then
  growth=$(( rss[${#rss[@]}] - rss[WARM_UP_MINUTES] ))
  echo "VmRSS growth after minute $WARM_UP_MINUTES: $growth kB (at most $MAX_GROWTH_KB kB passes)"
  if [ "$growth" -gt "$MAX_GROWTH_KB" ]; then
    failed="yes"
  fi
fi
echo "Soak folder: $DIR"
if [ -n "$failed" ]; then
  echo "soak: FAILED" >&2
  exit 1
fi
echo "soak: passed"
