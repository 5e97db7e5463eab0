#!/usr/bin/env bash
# cpu-use.sh BUILD_DIR [SECONDS] [OTHER_BUILD_DIR]: processor use, in percent of one core,
# on Mesa's software renderer under one Xvfb (1920 x 1080, with a window manager), each
# figure over SECONDS (default 20):
#   - the bare SDL window redrawing every 30 ms, plain and with a textured quad and a line
#     of bitmap text (bench_bare_window --redraw [--textured]);
#   - the game in its menu, and in play with a wall started every second;
# both in the 640 x 480 window and in full screen (the picture 1440 x 1080 with bars).
# With OTHER_BUILD_DIR its game is measured too, in the same run, for a before and after.
# Prints a Markdown table. Run from anywhere; the game runs from the repository root.
set -euo pipefail
build=${1:?usage: cpu-use.sh BUILD_DIR [SECONDS] [OTHER_BUILD_DIR]}
seconds=${2:-20}
other=${3:-}
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
for n in $(seq 150 199); do [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
export DISPLAY=":$n" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$tmp/config"
until xdpyinfo >/dev/null 2>&1; do kill -0 $xvfb || exit 1; sleep 0.1; done
openbox >/dev/null 2>&1 &
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do sleep 0.1; done

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

bare() {  # ARGS...: the bare window's use
    "$build/bench/bench_bare_window" --redraw $((seconds + 4)) "$@" >/dev/null &
    local pid=$!
    sleep 2
    use $pid
    wait $pid
}

# screen X Y: where the 640 x 480 screen's point lies in the window, which letterboxes it.
screen() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$1" -v y="$2" 'BEGIN{
        s = (w / 640 < h / 480) ? w / 640 : h / 480
        printf "%d %d", int((w - 640 * s) / 2 + x * s), int((h - 480 * s) / 2 + y * s)}'
}

game() {  # BUILD MODE: "menu% play%" of that build's game in --window or --fullscreen
    local pid menu play
    "$1/fendwall" "$2" >/dev/null 2>&1 &
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --pid $pid | head -n 1)
    sleep 1
    xdotool windowfocus --sync "$window" key Escape
    sleep 1
    menu=$(use $pid)
    xdotool mousemove --window "$window" $(screen 320 179) click 1
    sleep 3
    # A wall every second at changing cells, so the field and the capture work too.
    ( for i in $(seq "$seconds"); do
          xdotool mousemove --window "$window" $(screen $((100 + (i * 37) % 440)) $((100 + (i * 53) % 300))) click 1
          sleep 1
      done ) &
    play=$(use $pid)
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
    echo "$menu $play"
}

echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg); $seconds s a figure; percent of one core."
echo
echo "| Where | Bare window | Bare window, textured quad and text | Game, menu | Game, play |$([ -n "$other" ] && echo " Other game, menu | Other game, play |")"
echo "|---|---:|---:|---:|---:|$([ -n "$other" ] && echo "---:|---:|")"
for mode in --window --fullscreen; do
    flag=$([ $mode = --fullscreen ] && echo --fullscreen || true)
    row="| $([ $mode = --window ] && echo "640 x 480 window" || echo "full screen, 1440 x 1080 on 1920 x 1080")"
    row+=" | $(bare $flag) | $(bare --textured $flag)"
    read -r menu play <<<"$(game "$build" $mode)"
    row+=" | $menu | $play"
    if [ -n "$other" ]; then
        read -r menu play <<<"$(game "$other" $mode)"
        row+=" | $menu | $play"
    fi
    echo "$row |"
done
