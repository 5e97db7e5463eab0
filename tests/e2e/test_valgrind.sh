#!/usr/bin/env bash
# test_valgrind.sh: the real binary under memcheck through a whole session. Any error or
# definitely lost block not in tests/valgrind.supp makes valgrind end with 99, else the game
# ends with 1. All runs some 30 times slower, so each step waits for what it expects to see.
. "$(dirname "$0")/lib.sh"
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 1; }
if ldd "$E2E_BIN" | grep -q libasan; then echo "skipped: a sanitizer build cannot run under valgrind"; exit 0; fi
start_xvfb
VG_LOG="$E2E_TMP/memcheck.log"

POLL=1  # screenshots are slow beside valgrind

(cd "$E2E_ROOT" && LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=0 SDL_AUDIODRIVER=dummy exec valgrind \
    --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --keep-debuginfo=yes --num-callers=40 --suppressions="$E2E_ROOT/tests/valgrind.supp" \
    --log-file="$VG_LOG" "$E2E_BIN" >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err") &
GAME_PID=$!
WINDOW=$(timeout 120 xdotool search --sync --onlyvisible --name "^FENDWALL - V $("$E2E_BIN" --version | cut -d' ' -f2)\$" 2>/dev/null | head -n 1)
[ -n "$WINDOW" ] || { fail "no game window under valgrind"; cat "$VG_LOG"; finish; }

check "the intro is drawn" wait_until 120 eval 'gt "$(mean_of "$(shot poll)")" 0.01'
key Escape
check "Escape ends the intro: the menu" wait_until 120 menu_shown
click_at 320 180
check "New Game: the camera comes back to a game" wait_until 240 playing
for at in "150 200" "400 300 3" "300 150" "500 350"; do click_at $at; done  # walls, each way
sleep 10
key Escape
check "Escape: the menu again" wait_until 120 menu_shown
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
