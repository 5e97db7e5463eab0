#!/usr/bin/env bash
# test_window.sh: the real binary opens its window, takes real input, and ends with status
# 1 when the window manager closes it; without a display it fails fast.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_game || finish
title=$(xdotool getwindowname "$WINDOW")
check "title '$title'" [ "$title" = "FENDWALL - V $("$E2E_BIN" --version | cut -d' ' -f2)" ]
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "size ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" = 640x480 ]
click_at 320 240
click_at 100 100 3
key Escape
sleep 0.5
check "still running after input" kill -0 "$GAME_PID"
close_and_expect_one "window"

# No display at all: a clear message and a non-zero status within a second.
start=$(date +%s%N)
(cd "$E2E_ROOT" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy timeout 5 "$E2E_BIN") >"$E2E_TMP/nodisplay.out" 2>&1
status=$? took=$((($(date +%s%N) - start) / 1000000))
check "no display: status $status" [ "$status" != 0 -a "$status" != 124 ]
check "no display: ended in $took ms" [ "$took" -lt 1000 ]
check "no display: says why" grep -qi "display" "$E2E_TMP/nodisplay.out"
finish
