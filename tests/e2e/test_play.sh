#!/usr/bin/env bash
# test_play.sh: a player's session with the real binary, real X input and screenshots: the window,
# intro, menu, a game with a wall, Escape and resume, the window made larger, credits, exits; full
# screen and back; no display, a quick refusal.
. "$(dirname "$0")/lib.sh"
start_xvfb
E2E_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw"
NEW_GAME=130x60+255+150 RESUME=130x50+255+228 HUD=420x36+0+0 FIELD=560x380+40+80

version=$(env -u DISPLAY "$E2E_BIN" --version); status=$?
check "--version without a display: '$version', status $status" [ "$status" = 0 -a "${version%% *}" = fendwall ]
start_game || finish
title=$(xdotool getwindowname "$WINDOW")
check "title '$title'" [ "$title" = "FENDWALL - V ${version#* }" ]
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "size ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" = 640x480 ]
s=$(shot intro)
band=$(mean_of "$s" 640x36+0+222) above=$(mean_of "$s" 640x120+0+60)
check "intro: stripes in the middle band on black ($band, $above)" eval 'gt "$band" 0.15 && ! gt "$above" 0.02'
wait_until 12 menu_shown || { fail "no menu after the intro"; finish; }
check "intro ends by itself after ${WAITED}s" gt "$WAITED" 3
menu=$(shot menu)
newBand=$(mean_of "$menu" $NEW_GAME) resumeBand=$(mean_of "$menu" $RESUME)
check "first menu: no resume button ($resumeBand vs $newBand)" gt "$(awk -v n="$newBand" 'BEGIN{print n*0.6}')" "$resumeBand"

# New Game: the menu goes, the HUD still reads lives 3, score 0, level 1.
click_at 320 180
check "new game: the menu goes, the camera comes back to rest" wait_until 10 playing
game=$(shot game)
check "new game: HUD unchanged (lives 3, score 0, level 1)" same_crop "$menu" "$game" $HUD

# A vertical wall changes the field; later the solid share grew or a life was lost.
xdotool mousemove --window "$WINDOW" 320 300; sleep 0.3
before=$(shot before-wall)
click_at 320 300 3; sleep 0.2
click_at 320 300 1; sleep 0.6
check "wall: the field changed" eval '! same_crop "$before" "$(shot wall)" 440x400+100+60'
sleep 3
later=$(shot later)
grew=$(awk -v a="$(mean_of "$later" $FIELD)" -v b="$(mean_of "$before" $FIELD)" 'BEGIN { print (a > b) }')
check "a capture or a lost life" eval '[ "$grew" = 1 ] || ! same_crop "$before" "$later" $HUD'

# Escape: the menu with resume; resume continues.
key Escape; sleep 0.5
esc=$(shot escape-menu)
check "escape menu: resume button" gt "$(mean_of "$esc" $RESUME)" "$(awk -v r="$resumeBand" 'BEGIN{print r*1.5}')"
click_at 320 250; sleep 0.8
check "resume: menu gone" eval '! same_crop "$esc" "$(shot resumed)" 130x180+255+150'

# A window made twice as large shows the screen scaled and takes clicks where things now are.
xdotool windowsize --sync "$WINDOW" 1280 960; sleep 0.5
key Escape; sleep 1
s=$(shot menu1280)
check "scaled: New Game at twice its place" gt "$(mean_of "$s" 260x120+510+310)" 0.25
check "scaled: the HUD at twice its size" [ "$(green_pixels "$s" 840x72+0+0)" -gt 400 ]

# Exit: the credits roll up in green; a click ends the program with status 1.
click_at 640 630; sleep 3
check "credits roll" [ "$(green_pixels "$(shot credits)" 700x460+580+500)" -gt 400 ]
click_at 200 200
wait_exit 10
check "credits: a click ends with status $STATUS" [ "$STATUS" = 1 ]
no_x_errors
check "music plays (non-silent audio)" eval '[ -s "$E2E_TMP/audio.raw" ] &&
    gt "$(od -An -tu1 -N 400000 -j 100000 "$E2E_TMP/audio.raw" | tr -s " " "\n" | sort -u | wc -l)" 3'

# Full screen from the start fills the 1024x768 display without a mode change (a window
# manager carries it out, as on a player's desktop); F11 goes back to a window; the close
# button during a transition ends the program with status 1.
openbox >"$E2E_TMP/wm.log" 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null; cleanup' EXIT
sleep 0.5
start_game "$E2E_ROOT" "$E2E_BIN" --fullscreen || finish
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "--fullscreen fills the display: ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" = 1024x768 ]
key Escape; sleep 2
check "full screen: the menu scaled into it" gt "$(mean_of "$(shot full)" 208x96+408+240)" 0.25
key F11; sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "F11 goes back to the window it had: ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" = 640x480 ]
click_at 320 180; sleep 0.4
close_and_expect_one "during the new-game transition" 8

# No display at all: a clear message and a non-zero status within a second.
start=$(date +%s%N)
(cd "$E2E_ROOT" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy timeout 5 "$E2E_BIN") >"$E2E_TMP/nodisplay.out" 2>&1
status=$? took=$((($(date +%s%N) - start) / 1000000))
check "no display: status $status in $took ms" [ "$status" != 0 -a "$status" != 124 -a "$took" -lt 1000 ]
check "no display: says why" grep -qi "display" "$E2E_TMP/nodisplay.out"
finish
