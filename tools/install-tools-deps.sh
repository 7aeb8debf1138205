#!/usr/bin/env bash
# Installs the Debian packages that the asset generators in tools/ need
# (only for regenerating data/: the game itself runs without any of them).
set -euo pipefail
exec bash "$(dirname "$0")/install-deps.sh" --tools
