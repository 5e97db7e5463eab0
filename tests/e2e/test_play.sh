#!/usr/bin/env bash
# test_play.sh: a player's session with the real binary, real X input and screenshots:
# the intro, the menu, a game with walls, Escape and resume, the credits, and the exits.
. "$(dirname "$0")/lib.sh"
start_xvfb
E2E_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw"

start_game || finish
s=$(shot intro)
band=$(crop_mean "$s" 0 222 640 36)
above=$(crop_mean "$s" 0 60 640 120)
gt "$band" 0.15 && ! gt "$above" 0.02 && pass "intro: stripes in the middle band on black" \
    || fail "intro: band $band, above $above"
if wait_for_menu 12; then
    gt "$MENU_AFTER" 3 && pass "intro ends by itself after ${MENU_AFTER}s" || fail "intro ended after ${MENU_AFTER}s"
else
    fail "no menu after the intro"; finish
fi
menu=$(shot menu)
newBand=$(crop_mean "$menu" 255 150 130 60)
resumeBand=$(crop_mean "$menu" 255 228 130 50)
gt "$(awk -v n="$newBand" 'BEGIN{print n*0.6}')" "$resumeBand" && pass "first menu: no resume button" \
    || fail "first menu: resume band $resumeBand vs new game $newBand"
[ "$(green_pixels "$menu" 0 0 420 36)" -gt 100 ] && pass "HUD texts in green" || fail "no green HUD"

# New Game: the menu goes, the HUD still reads lives 3, score 0, level 1.
click_at 320 180
sleep 3
game=$(shot game)
gt "$(awk -v n="$newBand" 'BEGIN{print n*0.6}')" "$(crop_mean "$game" 255 150 130 60)" \
    && pass "new game: menu gone" || fail "new game: menu still there"
same_crop "$menu" "$game" 0 0 420 36 && pass "new game: HUD unchanged (lives 3, score 0, level 1)" \
    || fail "new game: HUD changed"

# A vertical wall (right click) started by a left click changes the field where the cursor is.
move_to 320 300; sleep 0.3
before=$(shot before-wall)
click_at 320 300 3; sleep 0.2
click_at 320 300 1; sleep 0.6
after=$(shot wall)
same_crop "$before" "$after" 100 60 440 400 && fail "wall: the field did not change" || pass "wall: the field changed"
sleep 3
later=$(shot later)
if gt "$(crop_mean "$later" 40 80 560 380)" "$(crop_mean "$before" 40 80 560 380)"; then
    pass "the solid share grew"
elif ! same_crop "$before" "$later" 0 0 420 36; then
    pass "a life was lost"
else
    fail "neither a capture nor a lost life"
fi

# Escape: the menu with resume; resume continues.
key Escape; sleep 0.5
esc=$(shot escape-menu)
gt "$(crop_mean "$esc" 255 228 130 50)" "$(awk -v r="$resumeBand" 'BEGIN{print r*1.5}')" \
    && pass "escape menu: resume button" || fail "escape menu: no resume button"
click_at 320 250; sleep 0.8
resumed=$(shot resumed)
same_crop "$esc" "$resumed" 255 150 130 180 && fail "resume: menu still there" || pass "resume: menu gone"

# Exit: the credits roll up in green; a click ends the program with status 1.
key Escape; sleep 0.5
click_at 320 315; sleep 3
credits=$(shot credits)
[ "$(green_pixels "$credits" 290 250 350 230)" -gt 100 ] && pass "credits roll" || fail "no credits"
click_at 100 100
wait_exit 10
[ "$STATUS" = 1 ] && pass "credits: a click ends with status 1" || fail "credits: status $STATUS"
no_x_errors
[ -s "$E2E_TMP/audio.raw" ] && gt "$(od -An -tu1 -N 400000 -j 100000 "$E2E_TMP/audio.raw" | tr -s ' ' '\n' | sort -u | wc -l)" 3 \
    && pass "music plays (non-silent audio)" || fail "no audio written"

# Escape held from the start skips the intro at once.
start_game || finish
keydown Escape
if wait_for_menu 2; then pass "escape skips the intro (${MENU_AFTER}s)"; else fail "escape did not skip the intro"; fi
keyup Escape
close_window; wait_exit 5
[ "$STATUS" = 1 ] && pass "close: status 1" || fail "close: status $STATUS"

# The close button during a transition ends the program with status 1.
start_game || finish
key Escape; wait_for_menu 2
click_at 320 180; sleep 0.4
close_window
wait_exit 8
[ "$STATUS" = 1 ] && pass "close during the new-game transition: status 1" || fail "close in transition: status $STATUS"
no_x_errors
finish
