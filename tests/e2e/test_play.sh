#!/usr/bin/env bash
# test_play.sh: a player's session with the real binary, real X input and screenshots: the window,
# intro, menu, a game with a wall, Escape and resume, credits, exits; no display, a quick refusal.
. "$(dirname "$0")/lib.sh"
start_xvfb
E2E_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw"
NEW_GAME=130x60+255+150 RESUME=130x50+255+228 HUD=420x36+0+0 FIELD=560x380+40+80

start_game || finish
title=$(xdotool getwindowname "$WINDOW")
check "title '$title'" [ "$title" = "FENDWALL - V $("$E2E_BIN" --version | cut -d' ' -f2)" ]
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "size ${WIDTH}x${HEIGHT}" [ "${WIDTH}x${HEIGHT}" = 640x480 ]
s=$(shot intro)
band=$(mean_of "$s" 640x36+0+222) above=$(mean_of "$s" 640x120+0+60)
check "intro: stripes in the middle band on black ($band, $above)" eval 'gt "$band" 0.15 && ! gt "$above" 0.02'
wait_for_menu 12 || { fail "no menu after the intro"; finish; }
check "intro ends by itself after ${MENU_AFTER}s" gt "$MENU_AFTER" 3
menu=$(shot menu)
newBand=$(mean_of "$menu" $NEW_GAME) resumeBand=$(mean_of "$menu" $RESUME)
check "first menu: no resume button ($resumeBand vs $newBand)" gt "$(awk -v n="$newBand" 'BEGIN{print n*0.6}')" "$resumeBand"
check "HUD texts in green" [ "$(green_pixels "$menu" $HUD)" -gt 100 ]

# New Game: the menu goes, the HUD still reads lives 3, score 0, level 1.
click_at 320 180
sleep 3
game=$(shot game)
check "new game: menu gone" gt "$(awk -v n="$newBand" 'BEGIN{print n*0.6}')" "$(mean_of "$game" $NEW_GAME)"
check "new game: HUD unchanged (lives 3, score 0, level 1)" same_crop "$menu" "$game" $HUD

# A vertical wall changes the field; later the solid share grew or a life was lost.
move_to 320 300; sleep 0.3
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

# Exit: the credits roll up in green; a click ends the program with status 1.
key Escape; sleep 0.5
click_at 320 315; sleep 3
check "credits roll" [ "$(green_pixels "$(shot credits)" 350x230+290+250)" -gt 100 ]
click_at 100 100
wait_exit 10
check "credits: a click ends with status $STATUS" [ "$STATUS" = 1 ]
no_x_errors
check "music plays (non-silent audio)" eval '[ -s "$E2E_TMP/audio.raw" ] &&
    gt "$(od -An -tu1 -N 400000 -j 100000 "$E2E_TMP/audio.raw" | tr -s " " "\n" | sort -u | wc -l)" 3'

# The close button during a transition ends the program with status 1.
start_game || finish
key Escape; wait_for_menu 2
click_at 320 180; sleep 0.4
close_and_expect_one "during the new-game transition" 8

# No display at all: a clear message and a non-zero status within a second.
start=$(date +%s%N)
(cd "$E2E_ROOT" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy timeout 5 "$E2E_BIN") >"$E2E_TMP/nodisplay.out" 2>&1
status=$? took=$((($(date +%s%N) - start) / 1000000))
check "no display: status $status in $took ms" [ "$status" != 0 -a "$status" != 124 -a "$took" -lt 1000 ]
check "no display: says why" grep -qi "display" "$E2E_TMP/nodisplay.out"
finish
