#!/usr/bin/env bash
# test_play.sh: a player's session, real X input, screenshots: the window, intro, menu, a game with a
# wall, Escape and resume, a larger window, credits, exits; full screen and back; no display.
. "$(dirname "$0")/lib.sh"
start_xvfb
E2E_AUDIODRIVER=disk && export SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw"
RESUME=130x50+255+228

version=$(env -u DISPLAY "$E2E_BIN" --version); status=$?
check "--version without a display: '$version', status $status" [ "$status" = 0 -a "${version%% *}" = fendwall ]
start_game || finish
shown=$SECONDS
title=$(xdotool getwindowname "$WINDOW")
check "title '$title'" [ "$title" = "FENDWALL - V ${version#* }" ]
check "size 640x480" size 640x480
check "intro: stripes in the middle band on black" wait_until 30 intro_shown
wait_until 60 menu_shown || { fail "no menu after the intro"; finish; }
check "intro ends by itself after $((SECONDS - shown))s" [ $((SECONDS - shown)) -gt 3 ]
menu=$(shot menu)
check "first menu: no resume button" [ "$(pixels "$menu" $RESUME "$WHITE")" -lt 50 ]

# New Game: the menu goes, the HUD still reads lives 3, score 0, level 1.
click_at 320 180
check "new game: the menu goes, the camera comes back to rest" wait_until 30 playing
check "new game: HUD unchanged (lives 3, score 0, level 1)" same_crop "$menu" "$E2E_TMP/poll.png" $HUD
check "a wall: it closes off a region, or a ball breaks it and a life goes" build_wall

# Escape: the menu with resume; resume continues.
key Escape
check "escape menu: resume button" wait_until 30 eval '[ "$(pixels "$(shot poll)" $RESUME "$WHITE")" -gt 150 ]'
click_at 320 250
check "resume: menu gone, play goes on" wait_until 30 playing

# A window made larger (within the 1024 x 768 screen, or shots would miss its outside) shows
# the screen scaled and takes clicks where things now are.
xdotool windowsize --sync "$WINDOW" 960 720
key Escape
check "scaled: the menu and the HUD at 1.5 times their size and places" wait_until 30 menu_shown

# Exit: the credits roll up in green; a click ends the program with status 1.
click_at 480 472
check "credits roll" wait_until 30 credits_roll
click_at 200 200 && wait_exit 30
check "credits: a click ends with status $STATUS" [ "$STATUS" = 1 ]
no_x_errors
check "music plays (non-silent audio)" eval '[ -s "$E2E_TMP/audio.raw" ] &&
    gt "$(od -An -tu1 -N 400000 -j 100000 "$E2E_TMP/audio.raw" | tr -s " " "\n" | sort -u | wc -l)" 3'

# Full screen from the start fills the 1024x768 display without a mode change (a window
# manager carries it out, as on a player's desktop); F11 goes back to the window the first game
# left, remembered; the close button during a transition ends the program with status 1.
start_wm
start_game "$E2E_ROOT" "$E2E_BIN" --fullscreen || finish
check "--fullscreen fills the display" wait_until 30 size 1024x768
key Escape
check "full screen: the menu scaled into it" wait_until 30 menu_shown
key F11
check "F11 goes back to the window the first game left" wait_until 30 size 960x720
# The close queued behind New Game's click and four key messages (Shift, which nothing uses): the
# game takes one message a frame, so it comes inside the camera's flight that the click starts.
click_at 480 270 && key shift shift
close_and_expect_one "during the new-game transition"
check "the window left in F11's window is remembered" grep -qx "window 960x720" "$XDG_CONFIG_HOME/fendwall/settings"

# No display, whichever display variables are set (to nothing there): a message and status 2.
for vars in "" DISPLAY=:9999 WAYLAND_DISPLAY=none "DISPLAY=:9999 WAYLAND_DISPLAY=none"; do
    out=$(cd "$E2E_ROOT" && env -u DISPLAY $vars SDL_AUDIODRIVER=dummy timeout 30 "$E2E_BIN" 2>&1); status=$?
    check "no display (${vars:-nothing set}): status $status, says why" eval '[ $status = 2 ] &&
        grep -q "no display found (.*${vars// /, }" <<<"$out"'
done
finish
