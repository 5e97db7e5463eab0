#!/usr/bin/env bash
# test_screenshot.sh: F12 in a real window: a PNG in the pictures folder user-dirs.dirs names, at
# the window's size and showing what the window shows, named by the one line on stdout; with a
# file where its folder should be, one line on stderr, and play goes on.
. "$(dirname "$0")/lib.sh"
export HOME=$E2E_TMP/home && mkdir "$HOME" && echo 'XDG_PICTURES_DIR="$HOME/Bilder"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
FOLDER=$HOME/Bilder/fendwall OUT=$E2E_TMP/game.out
# saved N: N lines on stdout, the last naming SAVED, a file in FOLDER.
saved() { SAVED=$(tail -n 1 "$OUT") && SAVED=${SAVED#fendwall: screenshot saved as }
    [ "$(wc -l <"$OUT")" = "$1" ] && [[ $SAVED == "$FOLDER"/fendwall-*.png ]] && [ -f "$SAVED" ]; }
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }  # 0 for the same picture, up to 1

start_xvfb && start_wm && start_game || finish
key Escape
wait_until 60 menu_shown || { fail "no menu after the intro"; finish; }
xdotool windowsize --sync "$WINDOW" 801 577  # the player's own size, the screen letterboxed into it
key F12
check "F12: one line on stdout names a new PNG in the folder user-dirs.dirs names" wait_until 30 saved 1
format=$(identify -format '%m %wx%h' "$SAVED" 2>&1)
check "the PNG is the window's 801x577 pixels ($format)" [ "$format" = "PNG 801x577" ]
# Near, not the same: the ball rolls between the shot and import. Upside down it would be far.
timeout 30 import -window "$WINDOW" "$E2E_TMP/window.png" && convert "$SAVED" -flip "$E2E_TMP/flipped.png"
near=$(rmse "$SAVED" "$E2E_TMP/window.png") far=$(rmse "$E2E_TMP/flipped.png" "$E2E_TMP/window.png")
check "it shows what the window shows (RMSE $near, upside down $far)" eval 'gt 0.03 "$near" && gt "$far" 0.1'

# A file where the folder should be: said once, and the next shot is saved.
mv "$FOLDER" "$E2E_TMP/kept" && echo mine >"$FOLDER" && key F12
check "a file in the folder's place: one line on stderr says why" wait_until 30 eval \
    '[ "$(grep screenshot "$GAME_ERR")" = "fendwall: cannot save a screenshot in $FOLDER (Not a directory)" ]'
rm "$FOLDER" && key F12
check "play goes on: the next F12 saves again, nothing more on stderr" wait_until 30 eval \
    'saved 2 && [ "$(grep -c screenshot "$GAME_ERR")" = 1 ]'
close_and_expect_one "after the screenshots"
finish
