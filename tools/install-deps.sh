#!/usr/bin/env bash
# Installs every Debian package needed to build, test and run the engine and
# the game. Safe to run again: only packages that are missing are installed.
# With --screenshots it also installs what tools/screenshot.sh needs (a
# virtual X server, ImageMagick and X helpers); with --tools what the asset
# generators in tools/ need (the game and the tests run without them).
# With --fuzz, clang and its sanitizer runtimes for tools/fuzz.sh; with
# --bench, valgrind and python3 for tools/bench-instructions.sh; with
# --valgrind, valgrind for tools/valgrind-playthrough.sh; with --soak, python3
# for tools/soak.sh; with --coverage, gcovr for tools/coverage.sh; with
# --mutation, python3 and ccache for tools/mutation/run.py; with --package,
# what the Debian package (cpack -G DEB, README "Install") is made and checked
# with: dpkg-dev (dpkg-shlibdeps), fakeroot, lintian and appstream.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev
  # SDL_mixer plays Ogg Vorbis music through libvorbisfile.
  libvorbisfile3
)

for arg in "$@"; do
  case "$arg" in
    --screenshots) PACKAGES+=(xvfb imagemagick x11-utils python3-xlib xdotool) ;;
    --tools) PACKAGES+=(python3 python3-pil python3-numpy imagemagick sox libsox-fmt-all vorbis-tools
                        fonts-ebgaramond fonts-courier-prime xfonts-base) ;;
    --fuzz) PACKAGES+=(clang libclang-rt-14-dev) ;;
    --bench) PACKAGES+=(valgrind python3) ;;
    --valgrind) PACKAGES+=(valgrind) ;;
    --soak) PACKAGES+=(python3) ;;
    --coverage) PACKAGES+=(gcovr) ;;
    --mutation) PACKAGES+=(python3 ccache) ;;
    --package) PACKAGES+=(dpkg-dev fakeroot lintian appstream desktop-file-utils) ;;
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

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
