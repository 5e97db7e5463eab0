#!/usr/bin/env bash
# test_valgrind.sh: the real binary under memcheck through a whole session. Any error or
# definitely lost block not in tests/valgrind.supp makes valgrind end with 99, else the game
# ends with 1. All runs some 30 times slower, so each step waits for what it expects to see.
. "$(dirname "$0")/lib.sh"
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 1; }
if ldd "$E2E_BIN" | grep -q libasan; then echo "skipped: a sanitizer build cannot run under valgrind"; exit 0; fi
start_xvfb
VG_LOG="$E2E_TMP/memcheck.log"

# The menu's window is bright in the middle of the screen. With the camera at rest the
# band below the status line is black; input while the camera moves is dropped.
mean_now() { mean_of "$(shot poll)" "$@"; }
menu_shown() { gt "$(mean_now 150x200+245+140)" 0.26; }
playing() { ! menu_shown && ! gt "$(mean_now 640x40+0+48)" 0.02; }
something_drawn() { gt "$(mean_now)" 0.01; }
# wait_until SECONDS DESCRIPTION TEST...: polls TEST every second while the game runs.
wait_until() {
    local limit=$1 what=$2 i
    shift 2
    for i in $(seq "$limit"); do
        "$@" && { pass "$what (after ${i} s)"; return 0; }
        kill -0 "$GAME_PID" 2>/dev/null && sleep 1 || break
    done
    fail "$what: not within $limit s, or the game ended"
}

(cd "$E2E_ROOT" && LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=0 SDL_AUDIODRIVER=dummy exec valgrind \
    --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --keep-debuginfo=yes --num-callers=40 --suppressions="$E2E_ROOT/tests/valgrind.supp" \
    --log-file="$VG_LOG" "$E2E_BIN" >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err") &
GAME_PID=$!
WINDOW=$(timeout 120 xdotool search --sync --onlyvisible --name "^FENDWALL - V $("$E2E_BIN" --version | cut -d' ' -f2)\$" 2>/dev/null | head -n 1)
[ -n "$WINDOW" ] || { fail "no game window under valgrind"; cat "$VG_LOG"; finish; }

wait_until 120 "the intro is drawn" something_drawn
key Escape
wait_until 120 "Escape ends the intro: the menu" menu_shown
click_at 320 180
wait_until 240 "New Game: the camera comes back to a game" playing
for at in "150 200" "400 300 3" "300 150" "500 350"; do click_at $at; done  # walls, each way
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
        grep -E -A24 "definitely lost in loss|Invalid (read|write|free)|uninitialised|Mismatched|overlap" "$VG_LOG" | head -n 200 ;;
    124) fail "the game did not end after Exit and a click"; "$E2E_CLOSE" "$WINDOW"; wait_exit 60 ;;
    *) fail "exit status $STATUS"; tail -n 40 "$VG_LOG" ;;
esac
grep -E "ERROR SUMMARY|definitely lost|Invalid" "$VG_LOG" | head -n 5
no_x_errors
finish
