#!/usr/bin/env bash
# test_window.sh: the real binary opens its window, takes real input, and ends with
# status 1 when the window manager closes it; without a display it fails fast.
. "$(dirname "$0")/lib.sh"
start_xvfb

start_game || finish
title=$(xdotool getwindowname "$WINDOW")
[ "$title" = "FENDWALL - V 0.9.3" ] && pass "title" || fail "title is '$title'"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] && pass "640 x 480" || fail "size ${WIDTH}x${HEIGHT}"
click_at 320 240
click_at 100 100 3
key Escape
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null && pass "still running after input" || fail "ended on input"
close_window
wait_exit 5
[ "$STATUS" = 1 ] && pass "close ends with status 1" || fail "status $STATUS after close"
no_x_errors

# No display at all: a clear message and a non-zero status within a second.
start=$(date +%s%N)
(cd "$E2E_ROOT" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy timeout 5 "$E2E_BIN") >"$E2E_TMP/nodisplay.out" 2>&1
status=$?
took=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$status" != 0 ] && [ "$status" != 124 ] && pass "no display: status $status" || fail "no display: status $status"
[ "$took" -lt 1000 ] && pass "no display: ended in $took ms" || fail "no display: took $took ms"
grep -qi "display" "$E2E_TMP/nodisplay.out" && pass "no display: says why" || { fail "no display: no reason"; cat "$E2E_TMP/nodisplay.out"; }
finish
