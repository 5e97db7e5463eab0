#!/usr/bin/env bash
# test_desktop.sh: the command line without a display; a window made larger shows the
# screen scaled and takes clicks where things now appear; full screen fills the display.
. "$(dirname "$0")/lib.sh"

out=$(env -u DISPLAY "$E2E_BIN" --version); status=$?
check "--version without a display: '$out', status $status" [ "$status" = 0 -a "${out%% *}" = fendwall ]

start_xvfb
# Full screen is the window manager's to carry out, as on a player's desktop.
openbox >"$E2E_TMP/wm.log" 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null; cleanup' EXIT
sleep 0.5
start_game || finish
key Escape
xdotool windowsize --sync "$WINDOW" 1280 960
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "resized to ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" = 1280x960 ]
s=$(shot menu1280)
check "New Game shows at twice its place" gt "$(mean_of "$s" 260x120+510+310)" 0.25
check "the HUD at twice its size" [ "$(green_pixels "$s" 840x72+0+0)" -gt 400 ]
click_at 640 358
sleep 3
s=$(shot game1280)
check "the click on New Game started a game: the menu is gone" gt 0.25 "$(mean_of "$s" 260x120+510+310)"
close_and_expect_one "scaled window"

# Full screen from the start, on a display larger than the window: no mode change.
start_game "$E2E_ROOT" "$E2E_BIN" --fullscreen || finish
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "--fullscreen fills the 1024x768 display: ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" = 1024x768 ]
key Escape
sleep 2
check "the menu shows, scaled into it" gt "$(mean_of "$(shot full)" 208x96+408+240)" 0.25
key F11
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "F11 goes back to a window: ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" != 1024x768 ]
close_and_expect_one "full screen"
finish
