#!/usr/bin/env bash
# test_valgrind.sh: the real binary under valgrind's memcheck, on Mesa's software
# renderer under Xvfb, through a whole scripted session: the intro skipped with Escape,
# New Game, a few walls, Escape to the menu, Exit, a click through the credits. Any
# invalid access, use of uninitialised memory or definitely lost block that is not one
# of the system libraries' own (tests/valgrind.supp) makes valgrind end with 99; the game
# itself ends with 1. Everything runs some 30 times slower than usual, so each step waits
# for what it expects to see rather than for a fixed time.
. "$(dirname "$0")/lib.sh"

if ! command -v valgrind >/dev/null; then echo "valgrind is not installed"; exit 1; fi
if ldd "$E2E_BIN" | grep -q libasan; then
    echo "skipped: $E2E_BIN is a sanitizer build, which cannot run under valgrind"; exit 0
fi
start_xvfb
VG_LOG="$E2E_TMP/memcheck.log"

# The field is drawn behind the menu's window in the middle of the screen: bright with
# the menu, darker without it. With the camera at rest the band between the status line
# and the far edge of the field is black; while the camera moves the field fills it.
# Input that arrives while the camera moves is dropped, as a player's is, so each step
# waits until the camera is at rest.
MENU_AREA=150x200+245+140
MENU_BRIGHT=0.26
BAND=640x40+0+48

# wait_until SECONDS DESCRIPTION TEST...: polls TEST every second.
wait_until() {
    local limit=$1 what=$2 i
    shift 2
    for i in $(seq "$limit"); do
        "$@" && { pass "$what (after ${i} s)"; return 0; }
        kill -0 "$GAME_PID" 2>/dev/null || { fail "$what: the game ended"; return 1; }
        sleep 1
    done
    fail "$what: not within $limit s"
    return 1
}
menu_shown() { awk -v m="$(mean_of "$(shot poll)" "$MENU_AREA")" -v t="$MENU_BRIGHT" 'BEGIN { exit !(m > t) }'; }
camera_at_rest() { awk -v m="$(mean_of "$(shot poll)" "$BAND")" 'BEGIN { exit !(m < 0.02) }'; }
playing() { ! menu_shown && camera_at_rest; }
something_drawn() { awk -v m="$(mean_of "$(shot poll)")" 'BEGIN { exit !(m > 0.01) }'; }

(cd "$E2E_ROOT" && LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=0 SDL_AUDIODRIVER=dummy exec valgrind \
    --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --keep-debuginfo=yes --num-callers=40 --suppressions="$E2E_ROOT/tests/valgrind.supp" \
    --log-file="$VG_LOG" "$E2E_BIN" >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err") &
GAME_PID=$!
WINDOW=$(timeout 120 xdotool search --sync --onlyvisible --name '^FENDWALL - V 0.9.3$' 2>/dev/null | head -n 1)
if [ -z "$WINDOW" ]; then fail "no game window under valgrind"; cat "$VG_LOG"; finish; fi

wait_until 120 "the intro is drawn" something_drawn
key Escape
wait_until 120 "Escape ends the intro: the menu" menu_shown
click_at 320 180
wait_until 240 "New Game: the camera comes back to a game" playing
# A few walls, each way, then give them time to grow.
click_at 150 200
click_at 400 300 3
click_at 300 150
click_at 500 350
sleep 10
key Escape
wait_until 120 "Escape: the menu again" menu_shown
click_at 320 315
sleep 5
click_at 100 100
wait_exit 240
case "$STATUS" in
    1) pass "exit status 1, no memcheck errors" ;;
    99) fail "memcheck found errors:"
        grep -E -A24 "definitely lost in loss|Invalid (read|write|free)|uninitialised|Mismatched|overlap" "$VG_LOG" |
            head -n 200 ;;
    124) fail "the game did not end after Exit and a click"; close_window; wait_exit 60 ;;
    *) fail "exit status $STATUS"; tail -n 40 "$VG_LOG" ;;
esac
grep -E "ERROR SUMMARY|definitely lost|Invalid" "$VG_LOG" | grep -v "^==[0-9]*== *$" | head -n 5
no_x_errors
finish
