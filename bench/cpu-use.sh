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
. bench/lib.sh

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

game() {  # BUILD MODE: "menu% play%" of that build's game in --window or --fullscreen
    local menu play
    start_game "$1" "$2"
    menu=$(use $pid)
    play "$seconds"
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
