#!/usr/bin/env bash
# Makes the tiny sound files that the audio tests play, in
# engine/tests/data/audio/. The files are committed; run this again only to
# change them. Needs sox with its base formats (installed by install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
out=engine/tests/data/audio
mkdir -p "$out"

# Quiet sine tones, mono. 8-bit 11025 Hz keeps the WAV files small.
tone() { # file seconds frequency [sox output options...]
    local file=$1 seconds=$2 frequency=$3
    shift 3
    sox -n -r 11025 -c 1 "$@" "$out/$file" synth "$seconds" sine "$frequency" vol 0.3
}

# Music: one that outlasts the tests' fades, one that ends almost at once.
tone music_long.wav 2 440 -b 8
tone music_short.wav 0.2 330 -b 8
tone music_long.ogg 2 392 -C 0
# Effects: one short, one that is still sounding while the short one ends.
tone effect_short.wav 0.1 880 -b 8
tone effect_long.wav 0.8 660 -b 8

ls -l "$out"
