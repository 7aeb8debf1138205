#!/usr/bin/env bash
# Installs the Debian packages that the asset generators in tools/assets/ need.
# Only for regenerating data/: the game itself runs without any of them.
# Safe to run again: only packages that are missing are installed.
set -euo pipefail

PACKAGES=(
  python3 python3-pil python3-numpy
  imagemagick
  sox libsox-fmt-all vorbis-tools
  fonts-ebgaramond fonts-courier-prime
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
