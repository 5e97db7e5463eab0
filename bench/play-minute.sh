#!/usr/bin/env bash
# play-minute.sh FENDWALL [SECONDS]: plays the real game for about a minute under
# /usr/bin/time -v on the display already in DISPLAY, and prints "peak-rss-kb N".
# Watches the intro to its end, starts a new game, builds walls all over the field
# (both orientations), visits the menu once and resumes, then closes the window as a
# window manager would. Run from the repository root (the game reads data/).
set -uo pipefail
game=${1:?usage: play-minute.sh FENDWALL [SECONDS]}
seconds=${2:-60}
closer=$(dirname "$game")/tests/x11_close_window
log=$(mktemp /tmp/fendwall-play-XXXXXX)
# A remembered window of its own: the game opens 640 x 480 and leaves the player's settings be.
export XDG_CONFIG_HOME=$(mktemp -d /tmp/fendwall-play-config-XXXXXX)
trap 'rm -rf "$log" "$XDG_CONFIG_HOME"' EXIT

SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} /usr/bin/time -v -o "$log" "$game" >/dev/null 2>&1 &
timer=$!
start=$(date +%s)
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "FENDWALL" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "play-minute: no game window" >&2; kill "$timer"; exit 1; }

click() { xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"; }
sleep 6                        # the intro: 170 frames of 30 ms
click 320 180                  # New Game
sleep 2.5                      # the camera's approach and return
RANDOM=7
menuDone=0
while [ $(( $(date +%s) - start )) -lt $((seconds - 3)) ]; do
    x=$((30 + RANDOM % 580)); y=$((30 + RANDOM % 420))
    [ $((RANDOM % 3)) = 0 ] && click "$x" "$y" 3
    click "$x" "$y" 1
    if [ $menuDone = 0 ] && [ $(( $(date +%s) - start )) -ge $((seconds / 2)) ]; then
        xdotool key --window "$window" Escape; sleep 1.5
        click 320 250          # Resume
        menuDone=1
    fi
    sleep 0.7
done
if [ -x "$closer" ]; then "$closer" "$window"; else xdotool windowclose "$window"; fi
for _ in $(seq 100); do kill -0 "$timer" 2>/dev/null || break; sleep 0.1; done
wait "$timer"
peak=$(awk -F: '/Maximum resident set size/{gsub(/ /,"",$2); print $2}' "$log")
echo "peak-rss-kb ${peak:-?}"
