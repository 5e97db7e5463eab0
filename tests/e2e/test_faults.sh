#!/usr/bin/env bash
# test_faults.sh: the real binary with its data gone or damaged and without a sound
# device. It must show the messages that the damage calls for (and no others), play on to
# its menu and into a game, and end with status 1 when the window is closed, with no
# X errors and no crash.
. "$(dirname "$0")/lib.sh"
start_xvfb

# The message boxes carry their title as UTF-8 only, which `xdotool search --name` does
# not match; look the top-level windows up by name instead.
# find_named NAME SECONDS: prints the id of a window called NAME, waiting up to SECONDS.
find_named() {
    local name=$1 limit=$2 i w
    for i in $(seq $((limit * 10 + 1))); do
        for w in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
            [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$name" ] && { echo "$w"; return 0; }
        done
        [ "$i" -le $((limit * 10)) ] && sleep 0.1
    done
    return 1
}

# copy_data DIR: a private copy of the game's data in DIR/data.
copy_data() { mkdir -p "$1"; cp -r "$E2E_ROOT/data" "$1/"; }

# noise COUNT SEED: COUNT pseudo-random bytes, the same for the same seed, so a failure
# can be repeated.
noise() {
    LC_ALL=C awk -v n="$1" -v seed="$2" \
        'BEGIN { srand(seed); for (i = 0; i < n; i++) printf "%c", int(rand() * 255) + 1 }'
}

# Bytes that are no picture: the first two are not "BM", the rest are noise.
garble() {
    local size
    size=$(stat -c %s "$1")
    { printf 'XX'; noise $((size - 2)) 11; } > "$1.new" && mv "$1.new" "$1"
}

# play_a_little LABEL [blind]: the intro skipped, the menu's New Game, a few walls, Escape
# back to the menu; fails when the game is gone or (unless blind: without pictures menu and
# field are alike white) the picture did not change from menu to game.
play_a_little() {
    local label=$1 blind=${2:-} menu game
    key Escape
    sleep 1
    menu=$(mean_of "$(shot "$label-menu")" 150x200+245+140)
    click_at 320 180
    sleep 3
    game=$(mean_of "$(shot "$label-game")" 150x200+245+140)
    click_at 200 200
    sleep 0.3
    click_at 400 300 3
    click_at 300 150
    sleep 1
    if kill -0 "$GAME_PID" 2>/dev/null; then pass "$label: plays"; else fail "$label: the game is gone"; return; fi
    # The menu window covers the middle of the screen; in the game it is gone.
    if [ -n "$blind" ]; then
        :
    elif awk -v a="$menu" -v b="$game" 'BEGIN { d = a - b; exit !(d > 0.02 || d < -0.02) }'; then
        pass "$label: menu, then game"
    else
        fail "$label: the middle of the screen did not change from menu ($menu) to game ($game)"
    fi
    key Escape
    sleep 0.5
}

no_crash() {
    if grep -qiE 'AddressSanitizer|runtime error|Segmentation|Aborted|core dumped' "$E2E_TMP/game.err"; then
        fail "$1: crash report on stderr"; cat "$E2E_TMP/game.err"
    fi
}

# end_with_one LABEL: the window closed, the game must end with status 1, cleanly.
end_with_one() {
    local label=$1
    close_window
    wait_exit 10
    [ "$STATUS" = 1 ] && pass "$label: close ends with status 1" || fail "$label: status $STATUS after close"
    no_x_errors
    no_crash "$label"
}

# 1. No data at all: every picture, pattern and sound missing. Missing pictures are not
#    worth a message, so no box may appear; the patterns say so on stderr.
mkdir -p "$E2E_TMP/nodata"
if start_game "$E2E_TMP/nodata"; then
    box=$(find_named Error 2) && { fail "no data: a message box appeared"; xdotool key --window "$box" Return; }
    [ -z "$box" ] && pass "no data: no message box"
    play_a_little "no data" blind
    grep -q "pattern file data/fend.dat is missing" "$E2E_TMP/game.err" &&
        pass "no data: the missing title pattern is named on stderr" || fail "no data: nothing on stderr"
    # Nothing to see, but the menu works: Exit rolls the credits and a click ends them.
    click_at 320 315
    sleep 1
    click_at 100 100
    wait_exit 10
    [ "$STATUS" = 1 ] && pass "no data: Exit and a click through the credits end with status 1" ||
        { fail "no data: status $STATUS after Exit"; close_window; wait_exit 5; }
    no_x_errors
    no_crash "no data"
fi

# 2. One picture replaced by random bytes: its modal box appears, blocks the game until it
#    is dismissed with Return, and the game goes on without that picture.
copy_data "$E2E_TMP/badpicture"
garble "$E2E_TMP/badpicture/data/texturen/menu_new.bmp"
if start_game "$E2E_TMP/badpicture"; then
    if box=$(find_named Error 10); then
        pass "bad picture: the box titled Error appears"
        grep -q "Unknown DIB file format." "$E2E_TMP/game.err" &&
            pass "bad picture: it says why" || fail "bad picture: no reason on stderr"
        xdotool key --window "$box" Return
        find_named Error 0 >/dev/null && sleep 1
        if find_named Error 0 >/dev/null; then
            fail "bad picture: Return did not close the box"
        else
            pass "bad picture: Return closes the box"
        fi
    else
        # SDL draws its boxes with the X server's core fonts (xfonts-base).
        fail "bad picture: no message box (are X core fonts installed?)"; cat "$E2E_TMP/game.err"
    fi
    play_a_little "bad picture"
    [ "$(grep -c '^Error:' "$E2E_TMP/game.err")" = 1 ] && pass "bad picture: one message only" ||
        fail "bad picture: $(grep -c '^Error:' "$E2E_TMP/game.err") messages"
    end_with_one "bad picture"
fi

# 3. Sound files damaged: random music, a cut effect, an empty effect; and one intro
#    picture cut short, which the TGA reader refuses silently, so there is no intro. No
#    message; the game plays on (bounces and lost walls ask for the effects).
copy_data "$E2E_TMP/badsound"
noise 50000 12 > "$E2E_TMP/badsound/data/sound/0"
truncate -s 100 "$E2E_TMP/badsound/data/sound/wand.wav"
: > "$E2E_TMP/badsound/data/sound/bombe_explodiert.wav"
truncate -s 1000 "$E2E_TMP/badsound/data/texturen/streifen2.tga"
if start_game "$E2E_TMP/badsound"; then
    sleep 1
    shown=$(mean_of "$(shot nointro)" 150x200+245+140)
    awk -v m="$shown" 'BEGIN { exit !(m > 0.26) }' && pass "bad sound: no intro, straight to the menu" ||
        fail "bad sound: after a second the middle of the screen is $shown, not the menu"
    play_a_little "bad sound"
    find_named Error 0 >/dev/null && fail "bad sound: a message box appeared" || pass "bad sound: no message box"
    end_with_one "bad sound"
fi

# 4. A sound driver that cannot open: the game runs silently. Escape is held down through
#    the intro, which ends it; in the menu it does nothing.
if E2E_AUDIODRIVER=nonexistent start_game "$E2E_ROOT"; then
    xdotool keydown --window "$WINDOW" Escape
    sleep 1.5
    held=$(mean_of "$(shot held)" 150x200+245+140)
    xdotool keyup --window "$WINDOW" Escape
    # The menu's window is the bright block in the middle; the intro is dark there.
    awk -v m="$held" 'BEGIN { exit !(m > 0.26) }' &&
        pass "no audio device: Escape held ends the intro, the menu stays" ||
        fail "no audio device: with Escape held the middle of the screen is $held, not the menu"
    play_a_little "no audio device"
    find_named Error 0 >/dev/null && fail "no audio device: a message box appeared" ||
        pass "no audio device: no message box"
    end_with_one "no audio device"
fi
finish
