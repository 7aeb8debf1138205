#!/usr/bin/env bash
# Instructions per frame of the graphics task, scene by scene, counted by
# callgrind: the incremental drawing of the shipped settings against a full
# redraw of every sprite each frame (tarn-bench --full-redraw). Only the
# frame work is counted (CGfxTaskSDL::DrawFrame: moving sprites, drawing,
# presenting); tarn-bench dumps the count at every scene change, and each
# scene's count is divided by its frames. Instruction counts do not depend
# on the machine's load, unlike times.
# Usage: bash tools/bench-instructions.sh [SCENES, default tools/bench/scenes-short.txt]
# Takes a few minutes; needs valgrind and python3 (tools/install-deps.sh --bench).
set -euo pipefail
cd "$(dirname "$0")/.."
scenes="${1:-tools/bench/scenes-short.txt}"
bash tools/install-deps.sh --bench
bash tools/build.sh >/dev/null

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
for mode in incremental full; do
  extra=()
  if [ "$mode" = full ]; then extra=(--full-redraw); fi
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy valgrind --tool=callgrind --collect-atstart=no \
    --toggle-collect='tarn::CGfxTaskSDL::DrawFrame*' --callgrind-out-file="$out/$mode.%p" \
    ./build/tarn-bench --scenes "$scenes" "${extra[@]}" >"$out/$mode.txt" 2>"$out/$mode.log"
done

python3 - "$out" <<'PYTHON'
import glob, os, sys

def per_scene(folder, mode):
    """Instructions and frames of every scene, from the dumps of one run."""
    counts = {}
    for path in glob.glob(os.path.join(folder, mode + ".*")):
        if path.endswith((".txt", ".log")):
            continue
        trigger, total = None, None
        with open(path) as f:
            for line in f:
                if line.startswith("desc: Trigger: Client Request: "):
                    trigger = line.split("Client Request: ", 1)[1].split()
                elif line.startswith(("totals:", "summary:")):
                    total = int(line.split()[1])
        if not trigger or total is None or trigger[0] == "between":
            continue
        name, frames = trigger[0], int(trigger[1])
        instructions, seen = counts.get(name, (0, 0))
        counts[name] = (instructions + total, seen + frames)
    return counts

folder = sys.argv[1]
incremental, full = per_scene(folder, "incremental"), per_scene(folder, "full")
print("%-10s %16s %16s %8s" % ("scene", "incremental/frame", "full/frame", "ratio"))
for name in incremental:
    a_ir, a_frames = incremental[name]
    b_ir, b_frames = full.get(name, (0, 0))
    a = a_ir / a_frames if a_frames else 0
    b = b_ir / b_frames if b_frames else 0
    print("%-10s %16.0f %16.0f %8.4f" % (name, a, b, a / b if b else 0))
PYTHON
