#!/usr/bin/env bash
# cpu-use.sh BUILD_DIR [SECONDS]: processor use, in percent of one core, of a bare SDL
# window redrawing every 30 ms, and of the game in its menu and in play, each measured
# over SECONDS (default 20) under its own Xvfb on Mesa's software renderer.
set -euo pipefail
build=${1:?usage: cpu-use.sh BUILD_DIR [SECONDS]}
seconds=${2:-20}
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
for n in $(seq 150 199); do [ -e "/tmp/.X$n-lock" ] || break; done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
export DISPLAY=":$n" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$tmp/config"  # the window opens 640 x 480
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# use PID: percent of one core over the next $seconds seconds.
use() {
    local before after hz
    hz=$(getconf CLK_TCK)
    before=$(ticks "$1")
    sleep "$seconds"
    after=$(ticks "$1")
    awk -v a="$after" -v b="$before" -v s="$seconds" -v hz="$hz" 'BEGIN{printf "%.1f", (a - b) / hz / s * 100}'
}

"$build/bench/bench_bare_window" --redraw $((seconds + 3)) >/dev/null &
bare=$!
sleep 2
echo "bare window, redrawing every 30 ms: $(use $bare) %"
wait $bare

"$build/fendwall" >/dev/null 2>&1 &
game=$!
sleep 2
window=$(xdotool search --onlyvisible --pid $game | head -n 1)
xdotool windowfocus --sync "$window" key Escape
sleep 1
echo "game, menu: $(use $game) %"
xdotool mousemove --window "$window" 320 179 click 1
sleep 3
# In play: a wall every second at changing cells, so the field and the capture work too.
( for i in $(seq "$seconds"); do
      xdotool mousemove --window "$window" $((100 + (i * 37) % 440)) $((100 + (i * 53) % 300)) click 1
      sleep 1
  done ) &
echo "game, play: $(use $game) %"
kill $game 2>/dev/null || true
