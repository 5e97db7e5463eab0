#!/usr/bin/env bash
# readme-screenshots.sh [BUILD_DIR]: renders the menu, a game and a level change offscreen
# with the game's own renderer and writes them as PNGs into docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$build/tools/fendwall-frameshots" "$tmp"
mkdir -p docs/screenshots
for shot in menu playing level_change; do
    convert "$tmp/$shot.ppm" -strip "docs/screenshots/$shot.png"
done
echo "wrote docs/screenshots/{menu,playing,level_change}.png"
