#!/usr/bin/env bash
# profile.sh BUILD_DIR menu|play [--fullscreen] [SECONDS]: where the game's processor time
# goes on Mesa's software renderer. Runs the game under its own Xvfb (1920 x 1080, with a
# window manager), brings it to its menu or into play (a wall started every second), and
# records all its threads with `perf record -g` for SECONDS (default 10). Prints the share
# of each thread, of each library and of the top symbols; llvmpipe's generated shader code
# has no symbols and shows as "[unknown]" in no library (perf: "[JIT]" or unknown).
# The perf data stays in PERF_DATA if that is set.
set -euo pipefail
build=${1:?usage: profile.sh BUILD_DIR menu|play [--fullscreen] [SECONDS]}
where=${2:?usage: profile.sh BUILD_DIR menu|play [--fullscreen] [SECONDS]}
mode=--window
[ "${3:-}" = --fullscreen ] && { mode=--fullscreen; shift; }
seconds=${3:-10}
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
data=${PERF_DATA:-$tmp/perf.data}
for n in $(seq 150 199); do [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
export DISPLAY=":$n" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$tmp/config"
until xdpyinfo >/dev/null 2>&1; do kill -0 $xvfb || exit 1; sleep 0.1; done
openbox >/dev/null 2>&1 &
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do sleep 0.1; done

screen() {  # X Y: the 640 x 480 screen's point in the letterboxed window
    eval "$(xdotool getwindowgeometry --shell "$window")"
    awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$1" -v y="$2" 'BEGIN{
        s = (w / 640 < h / 480) ? w / 640 : h / 480
        printf "%d %d", int((w - 640 * s) / 2 + x * s), int((h - 480 * s) / 2 + y * s)}'
}
"$build/fendwall" $mode >/dev/null 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --pid $pid | head -n 1)
sleep 1
xdotool windowfocus --sync "$window" key Escape
sleep 1
if [ "$where" = play ]; then
    xdotool mousemove --window "$window" $(screen 320 179) click 1
    sleep 3
    ( for i in $(seq "$seconds"); do
          xdotool mousemove --window "$window" $(screen $((100 + (i * 37) % 440)) $((100 + (i * 53) % 300))) click 1
          sleep 1
      done ) &
fi
perf record -q -g -o "$data" -p $pid -- sleep "$seconds" 2>/dev/null
kill $pid 2>/dev/null || true
echo "== $where $mode: by thread"
perf report -i "$data" --no-children --sort comm --stdio 2>/dev/null | grep -E '^ +[0-9]' | head -8
echo "== by library"
perf report -i "$data" --no-children --sort dso --stdio 2>/dev/null | grep -E '^ +[0-9]' | head -12
echo "== top symbols"
perf report -i "$data" --no-children --sort dso,sym --stdio -g none 2>/dev/null | grep -E '^ +[0-9]' | head -40
