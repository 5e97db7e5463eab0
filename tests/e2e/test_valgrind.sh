#!/usr/bin/env bash
# test_valgrind.sh: the real binary under memcheck through a whole session. Any error or
# definitely lost block not in tests/valgrind.supp makes valgrind end with 99, else the game
# ends with 1. All runs some 30 times slower, so each step waits for what it expects to see.
. "$(dirname "$0")/lib.sh"
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 1; }
if ldd "$E2E_BIN" | grep -q libasan; then echo "skipped: a sanitizer build cannot run under valgrind"; exit 0; fi
start_xvfb
VG_LOG="$E2E_TMP/memcheck.log" POLL=1  # screenshots are slow beside valgrind

find_window() { WINDOW=$(timeout 240 xdotool search --sync --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1); [ -n "$WINDOW" ]; }
start_game "$E2E_ROOT" env LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=0 valgrind --tool=memcheck --error-exitcode=99 \
    --leak-check=full --errors-for-leak-kinds=definite --keep-debuginfo=yes --num-callers=40 \
    --suppressions="$E2E_ROOT/tests/valgrind.supp" --log-file="$VG_LOG" "$E2E_BIN" || { cat "$VG_LOG"; finish; }

check "the intro is drawn" wait_until 240 intro_shown
key Escape
check "Escape ends the intro: the menu" wait_until 240 menu_shown
click_at 320 180
check "New Game: the camera comes back to a game" wait_until 480 playing
check "a wall, built or broken" build_wall 480
key Escape
check "Escape: the menu again" wait_until 240 menu_shown
click_at 320 315
check "Exit: the credits roll" wait_until 240 credits_roll
click_at 100 100 && wait_exit 480
check "status $STATUS: 1 is the game's own end, 99 memcheck's errors" [ "$STATUS" = 1 ]
[ "$STATUS" = 1 ] || grep -E -A24 "definitely lost in loss|Invalid (read|write|free)|uninitialised|Mismatched|overlap" "$VG_LOG" | head -n 200
grep -E "ERROR SUMMARY|definitely lost|Invalid" "$VG_LOG" | head -n 5
no_x_errors
finish
