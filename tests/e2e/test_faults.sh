#!/usr/bin/env bash
# test_faults.sh: what only the real binary can show: a broken picture's message box, holding
# the game until Return, and no sound device; both then play on and end with status 1.
. "$(dirname "$0")/lib.sh"
start_xvfb

# box_id NAME: the id of a top-level window called NAME. The message boxes carry their
# title as UTF-8 only, which `xdotool search --name` does not match.
box_id() {
    local w
    for w in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return 0; }
    done
    return 1
}
# menu_up: the menu's window, bright in the middle of the screen; a game there is darker.
menu_up() { gt "$(mean_of "$(shot poll)" 150x200+245+140)" 0.26; }
# plays LABEL: from the menu into a game with a wall, no box, then closed with status 1.
plays() {
    check "$1: the menu shows" menu_up
    click_at 320 180  # the camera's flight takes longer on a busy machine
    check "$1: a game instead of the menu" wait_until 10 eval '! menu_up'
    click_at 300 150; sleep 1
    check "$1: no message box" eval '! box_id Error >/dev/null'
    close_and_expect_one "$1" 10
    ! grep -qiE 'AddressSanitizer|runtime error|Segmentation|Aborted|core dumped' "$E2E_TMP/game.err" ||
        { fail "$1: crash report on stderr"; cat "$E2E_TMP/game.err"; }
}

# A picture of random bytes: its box holds the game until Return, then play goes on.
mkdir -p "$E2E_TMP/badpicture" && cp -r "$E2E_ROOT/data" "$E2E_TMP/badpicture/"
picture="$E2E_TMP/badpicture/data/texturen/menu_new.bmp"
{ printf 'XX'; head -c $(($(stat -c %s "$picture") - 2)) /dev/urandom; } > "$picture.new" && mv "$picture.new" "$picture"
if start_game "$E2E_TMP/badpicture"; then
    if box=$(wait_until 10 box_id Error); then
        pass "bad picture: the box titled Error appears"
        check "bad picture: it says why" grep -q "Unknown DIB file format." "$E2E_TMP/game.err"
        xdotool key --window "$box" Return
        box_id Error >/dev/null && sleep 1
    else  # SDL draws its boxes with the X server's core fonts (xfonts-base)
        fail "bad picture: no message box (are X core fonts installed?)"; cat "$E2E_TMP/game.err"
    fi
    key Escape; sleep 1
    plays "bad picture"
    check "bad picture: one message only" [ "$(grep -c '^Error:' "$E2E_TMP/game.err")" = 1 ]
fi

# No sound device: Escape held ends the intro, and then does nothing in the menu.
if E2E_AUDIODRIVER=nonexistent start_game "$E2E_ROOT"; then
    keys keydown Escape
    sleep 1.5
    keys keyup Escape
    plays "no audio device"
fi
finish
