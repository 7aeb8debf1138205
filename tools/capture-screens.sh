#!/usr/bin/env bash
# Plays the game in a virtual X server and saves the pictures shown in the
# README into docs/screenshots/: the title, the questions, every level, a
# caption over the kitchen, the pause menu, the end picture and the game at
# window scale 2. The clicks go where the question screen's buttons are; F5
# to F9 (bound in a scratch copy of autoexec.txt) load the levels, F10 turns
# the captions on and F2 off, O opens the kitchen's pantry door (a sound
# with a caption), S doubles the window and D makes it single
# again, E ends the game. The player's settings go to a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --screenshots
bash tools/build.sh >/dev/null
root="$PWD"
out="$root/docs/screenshots"
mkdir -p "$out"

work="$(mktemp -d)"
display_file="$(mktemp)"
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work" "$display_file"
}
trap cleanup EXIT

ln -s "$root/data" "$work/data"
cp autoexec.txt "$work/autoexec.txt"
for n in 1 2 3 4 5; do
  echo "Keyboard::bind( \"f$((n + 4)) f$((n + 4))\", \"Game::LoadLevel( data/levels/level_0$n.xml )\" );" >> "$work/autoexec.txt"
done
cat >> "$work/autoexec.txt" <<'SCRIPT'
Keyboard::bind( "e e", "Game::EndGame" );
Keyboard::bind( "f10 f10", "captions = 1" );
Keyboard::bind( "f2 f2", "captions = 0" );
Keyboard::bind( "o o", "Game::SpritePlayAnimation( pantrydoor, open )" );
Keyboard::bind( "s s", "window_scale = 2" );
Keyboard::bind( "d d", "window_scale = 1" );
SCRIPT

Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$display_file")"
for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

( cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" SDL_AUDIODRIVER=dummy exec "$root/build/horror" ) &
game_pid=$!

shot() { # name seconds-to-wait-first [the window's size, 800x600 by default]
  sleep "$2"
  import -window root -crop "${3:-800x600}+0+0" +repage "$out/$1.png"
  echo "saved $out/$1.png"
}
click() { # x y
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
}

shot title 9
click 400 300                      # ends the title
shot questions 5
for _ in 1 2 3; do click 212 384; sleep 2.5; done   # yes, three times
sleep 1.5
click 400 365; sleep 2                               # continue
click 400 365                                        # and again: level 1
for n in 1 2 3 4 5; do
  xdotool key "F$((n + 4))"
  shot "level_0$n" 4
done
xdotool key F10
xdotool key F6
sleep 1
xdotool key o
shot captions 0.5
xdotool key Escape
shot menu 1.5
xdotool key Escape
xdotool key F2
xdotool key s
xdotool key F7
shot scale2 4 1600x1200
xdotool key d
xdotool key e
shot end 6
kill "$game_pid" 2>/dev/null || true
sleep 1
cp "$work/log.txt" "${LOG_COPY:-/dev/null}" 2>/dev/null || true
