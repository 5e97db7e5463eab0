#!/usr/bin/env bash
# test_faults.sh: what only the real binary can show: a broken picture's message box, holding
# the game until Return, and no sound device; both then play on and end with status 1.
. "$(dirname "$0")/lib.sh"
start_xvfb
MIDDLE=150x200+245+140  # the menu's window: bright in the menu, darker in a game

# box_named NAME SECONDS: the id of a top-level window called NAME. The message boxes
# carry their title as UTF-8 only, which `xdotool search --name` does not match.
box_named() {
    local i w
    for i in $(seq 0 $(($2 * 10))); do
        [ "$i" = 0 ] || sleep 0.1
        for w in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
            [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return 0; }
        done
    done
    return 1
}
# plays LABEL: from the menu into a game with a wall, no box, then closed with status 1.
plays() {
    local menu game i
    menu=$(mean_of "$(shot "$1-menu")" $MIDDLE)
    check "$1: the menu shows ($menu)" gt "$menu" 0.26
    click_at 320 180
    for i in $(seq 40); do  # the camera's flight takes longer on a busy machine
        sleep 0.25
        game=$(mean_of "$(shot "$1-game")" $MIDDLE)
        gt "$menu" "$(awk -v m="$game" 'BEGIN { print m + 0.02 }')" && break
    done
    check "$1: a game instead of the menu ($game)" gt "$menu" "$(awk -v m="$game" 'BEGIN { print m + 0.02 }')"
    click_at 300 150; sleep 1
    check "$1: no message box" eval '! box_named Error 0 >/dev/null'
    close_and_expect_one "$1" 10
    ! grep -qiE 'AddressSanitizer|runtime error|Segmentation|Aborted|core dumped' "$E2E_TMP/game.err" ||
        { fail "$1: crash report on stderr"; cat "$E2E_TMP/game.err"; }
}

# A picture of random bytes: its box holds the game until Return, then play goes on.
mkdir -p "$E2E_TMP/badpicture" && cp -r "$E2E_ROOT/data" "$E2E_TMP/badpicture/"
picture="$E2E_TMP/badpicture/data/texturen/menu_new.bmp"
{ printf 'XX'; head -c $(($(stat -c %s "$picture") - 2)) /dev/urandom; } > "$picture.new" && mv "$picture.new" "$picture"
if start_game "$E2E_TMP/badpicture"; then
    if box=$(box_named Error 10); then
        pass "bad picture: the box titled Error appears"
        check "bad picture: it says why" grep -q "Unknown DIB file format." "$E2E_TMP/game.err"
        xdotool key --window "$box" Return
        box_named Error 0 >/dev/null && sleep 1
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
