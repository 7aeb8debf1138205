#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from the repository
# root (it reads autoexec.txt and data/ from there and writes log.txt there).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
exec ./build/horror
