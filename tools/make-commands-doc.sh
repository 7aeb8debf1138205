#!/usr/bin/env bash
# Writes docs/commands.md, the console's command reference, from the built
# game (build/horror --list-commands). Run it after adding or changing a
# command, its help or a variable. With --check it writes nothing and fails
# when docs/commands.md differs from what the program prints (CI runs that).
set -euo pipefail
cd "$(dirname "$0")/.."

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
XDG_CONFIG_HOME="$scratch/config" XDG_STATE_HOME="$scratch/state" ./build/horror --list-commands > "$scratch/commands.md"

if [ "${1:-}" = "--check" ]; then
  if ! diff -u docs/commands.md "$scratch/commands.md"; then
    echo "docs/commands.md is out of date: run bash tools/make-commands-doc.sh and commit it." >&2
    exit 1
  fi
  exit 0
fi
cp "$scratch/commands.md" docs/commands.md
