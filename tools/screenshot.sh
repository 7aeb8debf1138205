#!/usr/bin/env bash
# Takes a screenshot of the game in a virtual X server:
#   tools/screenshot.sh OUT.png [seconds] [title]
# Installs what is missing, builds, starts Xvfb and the game from the
# repository root, waits (3 seconds by default), saves the whole X screen to
# OUT.png, prints the game's windows, then closes the game window titled
# `title` ("Tallow", the shipped game's, by default) as its close button
# would and reports the game's exit code (a game that does not end in 10
# seconds is stopped).
# With GAME_DIR set, the game runs in that directory instead (its own
# autoexec.txt and data/).
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 OUT.png [seconds] [title]" >&2
  exit 2
fi
out="$(realpath -m "$1")"
seconds="${2:-3}"
title="${3:-Tallow}"
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --screenshots
bash tools/build.sh >/dev/null

# Xvfb picks a free display number and writes it to descriptor 3; its
# white root shows where the window ends.
display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1024x768x24 -wr -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
cleanup() {
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 1 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
if [ ! -s "$display_file" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$display_file")"
for _ in $(seq 1 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

root="$PWD"
( cd "${GAME_DIR:-$root}" && XDG_CONFIG_HOME="${XDG_CONFIG_HOME:-$(mktemp -d)}" XDG_STATE_HOME="${XDG_STATE_HOME:-$(mktemp -d)}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" exec "$root/build/horror" ) &
game_pid=$!
sleep "$seconds"
import -window root "$out"
echo "screenshot: $out"
xwininfo -root -tree | grep -F "\"$title\"" || echo "no window titled \"$title\""

/usr/bin/python3 tools/closewindow.py "$title" || kill -TERM "$game_pid" 2>/dev/null || true
for _ in $(seq 1 100); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "the game did not end; stopping it" >&2
  kill -KILL "$game_pid" 2>/dev/null || true
fi
set +e
wait "$game_pid"
status=$?
set -e
echo "game exit code: $status"
exit "$status"
