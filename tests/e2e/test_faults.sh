#!/usr/bin/env bash
# test_faults.sh: the real binary with its data gone or damaged, or without a sound device,
# shows only the messages the damage calls for, plays on, and ends cleanly with status 1.
. "$(dirname "$0")/lib.sh"
start_xvfb
MIDDLE=150x200+245+140  # the menu's window: bright in the menu, darker in the intro or a game

# find_named NAME SECONDS: the id of a top-level window called NAME. The message boxes
# carry their title as UTF-8 only, which `xdotool search --name` does not match.
find_named() {
    local i w
    for i in $(seq 0 $(($2 * 10))); do
        [ "$i" = 0 ] || sleep 0.1
        for w in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
            [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return 0; }
        done
    done
    return 1
}
copy_data() { mkdir -p "$1"; cp -r "$E2E_ROOT/data" "$1/"; }
# noise COUNT SEED: COUNT pseudo-random bytes, the same for the same seed.
noise() { LC_ALL=C awk -v n="$1" -v s="$2" 'BEGIN { srand(s); for (i = 0; i < n; i++) printf "%c", int(rand() * 255) + 1 }'; }
menu_shown() { gt "$(mean_of "$(shot "$1")" $MIDDLE)" 0.26; }
no_box() { check "$1: no message box" eval '! find_named Error 0 >/dev/null'; }

# play_a_little LABEL [blind]: Escape, New Game, a few walls, Escape; unless blind (no
# pictures: menu and field alike white), the middle of the screen changes from menu to game.
play_a_little() {
    local menu game
    key Escape; sleep 1
    menu=$(mean_of "$(shot "$1-menu")" $MIDDLE)
    click_at 320 180; sleep 3
    game=$(mean_of "$(shot "$1-game")" $MIDDLE)
    click_at 200 200; sleep 0.3
    click_at 400 300 3
    click_at 300 150; sleep 1
    check "$1: plays" kill -0 "$GAME_PID"
    [ -n "${2:-}" ] ||
        check "$1: menu ($menu), then game ($game)" awk -v a="$menu" -v b="$game" 'BEGIN { exit !(a - b > 0.02 || b - a > 0.02) }'
    key Escape; sleep 0.5
}
end_with_one() {
    close_and_expect_one "$1" 10
    ! grep -qiE 'AddressSanitizer|runtime error|Segmentation|Aborted|core dumped' "$E2E_TMP/game.err" ||
        { fail "$1: crash report on stderr"; cat "$E2E_TMP/game.err"; }
}

# 1. No data at all. Missing pictures are not worth a message; the patterns say so on stderr.
mkdir -p "$E2E_TMP/nodata"
if start_game "$E2E_TMP/nodata"; then
    if box=$(find_named Error 2); then fail "no data: a message box appeared"; xdotool key --window "$box" Return; fi
    play_a_little "no data" blind
    check "no data: the missing title pattern named on stderr" grep -q "pattern file data/fend.dat is missing" "$E2E_TMP/game.err"
    click_at 320 315; sleep 1  # nothing to see, but Exit rolls the credits and a click ends them
    click_at 100 100
    wait_exit 10
    check "no data: Exit and a click end with status $STATUS" [ "$STATUS" = 1 ]
    no_x_errors
fi

# 2. A picture of random bytes: its box blocks the game until Return, then play goes on.
copy_data "$E2E_TMP/badpicture"
picture="$E2E_TMP/badpicture/data/texturen/menu_new.bmp"
{ printf 'XX'; noise $(($(stat -c %s "$picture") - 2)) 11; } > "$picture.new" && mv "$picture.new" "$picture"
if start_game "$E2E_TMP/badpicture"; then
    if box=$(find_named Error 10); then
        pass "bad picture: the box titled Error appears"
        check "bad picture: it says why" grep -q "Unknown DIB file format." "$E2E_TMP/game.err"
        xdotool key --window "$box" Return
        find_named Error 0 >/dev/null && sleep 1
        no_box "bad picture: after Return"
    else  # SDL draws its boxes with the X server's core fonts (xfonts-base)
        fail "bad picture: no message box (are X core fonts installed?)"; cat "$E2E_TMP/game.err"
    fi
    play_a_little "bad picture"
    check "bad picture: one message only" [ "$(grep -c '^Error:' "$E2E_TMP/game.err")" = 1 ]
    end_with_one "bad picture"
fi

# 3. Random music, a cut effect, an empty effect, and an intro picture cut short, which
#    the TGA reader refuses silently: no intro, no message, and the game plays on.
copy_data "$E2E_TMP/badsound"
noise 50000 12 > "$E2E_TMP/badsound/data/sound/0"
truncate -s 100 "$E2E_TMP/badsound/data/sound/wand.wav"
: > "$E2E_TMP/badsound/data/sound/bombe_explodiert.wav"
truncate -s 1000 "$E2E_TMP/badsound/data/texturen/streifen2.tga"
if start_game "$E2E_TMP/badsound"; then
    sleep 1
    check "bad sound: no intro, straight to the menu" menu_shown nointro
    play_a_little "bad sound"
    no_box "bad sound"
    end_with_one "bad sound"
fi

# 4. No sound device: the game runs silently. Escape held ends the intro, then does nothing.
if E2E_AUDIODRIVER=nonexistent start_game "$E2E_ROOT"; then
    xdotool keydown --window "$WINDOW" Escape
    sleep 1.5
    check "no audio device: Escape held ends the intro, the menu stays" menu_shown held
    xdotool keyup --window "$WINDOW" Escape
    play_a_little "no audio device"
    no_box "no audio device"
    end_with_one "no audio device"
fi
finish
