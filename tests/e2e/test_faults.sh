#!/usr/bin/env bash
# test_faults.sh: what only the real binary can show: a broken picture's message box, holding
# the game until Return, and no sound device; both then play on and end with status 1.
. "$(dirname "$0")/lib.sh"
start_xvfb

# box_id NAME: the id of a top-level window called NAME. The message boxes carry their
# title as UTF-8 only, which `xdotool search --name` does not match; xwininfo does.
box_id() { xwininfo -root -children | awk -v n="\"$1\":" '$2 == n { print $1; found = 1; exit } END { exit !found }'; }
# plays LABEL: from the menu into a game with a wall, no box, then closed with status 1.
plays() {
    check "$1: the menu shows" wait_until 30 menu_shown
    click_at 320 180
    check "$1: a game instead of the menu" wait_until 30 playing
    check "$1: a wall is built" build_wall
    check "$1: no message box" eval '! box_id Error >/dev/null'
    close_and_expect_one "$1"
    ! grep -qiE 'AddressSanitizer|runtime error|Segmentation|Aborted|core dumped' "$GAME_ERR" ||
        { fail "$1: crash report on stderr"; cat "$GAME_ERR"; }
}

# A picture of random bytes: its box holds the game until Return, then play goes on.
mkdir -p "$E2E_TMP/badpicture" && cp -r "$E2E_ROOT/data" "$E2E_TMP/badpicture/"
picture="$E2E_TMP/badpicture/data/texturen/menu_new.bmp"
{ printf 'XX'; head -c $(($(stat -c %s "$picture") - 2)) /dev/urandom; } > "$picture.new" && mv "$picture.new" "$picture"
if start_game "$E2E_TMP/badpicture"; then
    if box=$(wait_until 30 box_id Error); then
        pass "bad picture: the box titled Error appears"
        check "bad picture: it says why" grep -q "Unknown DIB file format." "$GAME_ERR"
        xdotool key --window "$box" Return
        check "bad picture: Return closes the box" wait_until 30 eval '! box_id Error >/dev/null'
    else  # SDL draws its boxes with the X server's core fonts (xfonts-base)
        fail "bad picture: no message box (are X core fonts installed?)"; cat "$GAME_ERR"
    fi
    key Escape
    plays "bad picture"
    check "bad picture: one message only" [ "$(grep -c '^Error:' "$GAME_ERR")" = 1 ]
fi

# No sound device: Escape held ends the intro, and then does nothing in the menu while the
# balls move on under it.
if E2E_AUDIODRIVER=nonexistent start_game "$E2E_ROOT"; then
    keys keydown Escape
    wait_until 30 menu_shown && menu=$(shot menu) &&
        wait_until 30 eval '! same_crop "$menu" "$(shot poll)" $FIELD'
    sleep 1  # held on past the X server's auto-repeat delay (660 ms): the repeats change nothing
    keys keyup Escape
    plays "no audio device"
fi
finish
