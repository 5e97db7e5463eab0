#!/usr/bin/env bash
# record-real.sh BUILD_DIR NAME: records one of the golden games a scripted player can play with
# the real binary, under an Xvfb and a window manager of its own, with real X input from
# xdotool, into tests/golden/NAME.fwrec. Run from the repository root. NAME is one of:
#   menus-and-walls  the whole intro; walls turned with the right button; Escape, Resume, and
#                    New Game in the middle of a game; Exit, and the credits clicked away
#   window-sizes     a game played in a window made larger, then in full screen and back,
#                    ended with Exit and Escape in the credits
#   closed-in-flight New Game, and the window closed by the window manager during the flight
# The pauses only decide what the game sees when; whatever it saw is what gets recorded, so a
# busy machine gives another game, not a wrong one. Check the result with --replay.
set -euo pipefail
build=${1:?usage: record-real.sh BUILD_DIR NAME} name=${2:?usage: record-real.sh BUILD_DIR NAME}
out="tests/golden/$name.fwrec"
n=$((200 + RANDOM % 100))
Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
trap 'kill $xvfb $wm 2>/dev/null' EXIT
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5
SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$(mktemp -d) "$build/fendwall" --record "$out" &
game=$!
w=$(timeout 10 xdotool search --sync --onlyvisible --pid "$game" | head -n 1)
click() { xdotool mousemove --window "$w" "$1" "$2" click "${3:-1}"; sleep "${4:-0.3}"; }
key() { xdotool windowfocus --sync "$w"; xdotool key "$1"; sleep "${2:-0.5}"; }
# A wall at window pixel (x, y), turned first with the right button when asked.
wall() { [ "${3:-}" = turn ] && click "$1" "$2" 3; click "$1" "$2" 1 1.5; }

case $name in
    menus-and-walls)
        sleep 6.5                        # the intro ends by itself
        click 320 180 1 3                # New Game, and its flight
        wall 200 300; wall 420 200 turn; wall 100 120 turn; wall 500 400
        key Escape 1; click 320 250 1 1  # Resume
        wall 300 250 turn
        key Escape 1; click 320 180 1 3  # New Game in the middle of a game
        wall 320 240; wall 150 350 turn
        key Escape 1; click 320 315 1 4  # Exit: the credits
        click 100 100 1 1 ;;
    window-sizes)
        key Escape 1; click 320 180 1 3
        wall 200 300
        xdotool windowsize --sync "$w" 1280 960; sleep 1
        wall 400 600 turn; wall 900 300
        key F11 2                        # full screen: 1440 x 1080 with bars beside it
        wall 700 500; wall 1200 300 turn
        key F11 2                        # the 1280 x 960 window again: Exit at twice its place
        wall 600 400
        key Escape 1; click 640 630 1 3
        key Escape 1 ;;
    closed-in-flight)
        key Escape 1; click 320 180 1 0.6
        "$build/tests/x11_close_window" "$w" ;;
    *) echo "unknown game $name"; kill "$game"; exit 2 ;;
esac
status=0
wait "$game" || status=$?
echo "$out: the game ended with status $status"
"$build/fendwall" --timedemo "$out" | head -n 1
