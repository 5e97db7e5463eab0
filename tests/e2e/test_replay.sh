#!/usr/bin/env bash
# test_replay.sh: golden games through the real binary: --replay at the game's pace with the
# player's input ignored and F11 still switching full screen, --timedemo's figures, a close that
# ends a replay, a timedemo with no display at all, and a damaged recording refused without a window.
. "$(dirname "$0")/lib.sh"
GOLDEN="$E2E_ROOT/tests/golden"
head -c 3000 /dev/urandom >"$E2E_TMP/random.fwrec"
out=$(env -u DISPLAY "$E2E_BIN" --replay "$E2E_TMP/random.fwrec" 2>&1); status=$?
check "damaged recording: status $status, '$out'" [ "$status" = 2 -a "$(wc -l <<<"$out")" = 1 ]
out=$(cd "$E2E_ROOT" && env -u DISPLAY SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$E2E_BIN" --timedemo "$GOLDEN/closed-in-flight.fwrec" 2>&1)
check "timedemo on the offscreen driver: status $?" grep -q "4 of 4 checkpoints matched" <<<"$out"

start_xvfb
start_wm
checks=$(grep -c ' check ' "$GOLDEN/two-levels.fwrec")
start_game "$E2E_ROOT" "$E2E_BIN" --replay "$GOLDEN/two-levels.fwrec" || finish
click_at 320 180 && click_at 100 400 3 && key Escape F11
check "F11 during a replay: full screen" wait_until 30 size 1024x768
wait_exit 120
check "replay: status $STATUS, every checkpoint matched" eval '[ "$STATUS" = 0 ] &&
    grep -q "level 3, score 3000, $checks of $checks checkpoints matched" "$E2E_TMP/game.out"'

start_game "$E2E_ROOT" "$E2E_BIN" --timedemo "$GOLDEN/lost-level-1.fwrec" || finish
wait_exit 120
cat "$E2E_TMP/game.out"
check "timedemo: status $STATUS and its figures" eval '[ "$STATUS" = 0 ] && grep -qE "^timedemo: [0-9]+ frames in [0-9.]+ s: [0-9.]+ ms mean, [0-9.]+ ms median, [0-9.]+ ms 99th percentile per frame, [0-9.]+ frames per second$" "$E2E_TMP/game.out"'

# On X11 with Mesa the game draws only what moved and shows that part: every picture must be
# the one a whole redraw gives, frame for frame (the hasher reads the back buffer as shown).
gcc -shared -fPIC -O2 -o "$E2E_TMP/pixhash.so" "$E2E_ROOT/tools/pixhash/pixhash.c" -ldl -lGL
for game in menus-and-walls two-levels; do
    for how in part whole; do
        (cd "$E2E_ROOT" && env FENDWALL_WHOLE_PICTURES=$([ $how = whole ] && echo 1) PIXHASH_OUT="$E2E_TMP/$game.$how" \
            LD_PRELOAD="$E2E_TMP/pixhash.so" SDL_AUDIODRIVER=dummy "$E2E_BIN" --window --timedemo "$GOLDEN/$game.fwrec" >/dev/null 2>&1)
    done
    parts=$(wc -l <"$E2E_TMP/$game.part.partial" 2>/dev/null || echo 0)
    check "$game: $parts of $(wc -l <"$E2E_TMP/$game.whole") pictures shown in part, every one as drawn whole" \
        eval '[ "$parts" -gt 40 ] && [ ! -e "$E2E_TMP/$game.whole.partial" ] && cmp -s "$E2E_TMP/$game.part" "$E2E_TMP/$game.whole"'
done

start_game "$E2E_ROOT" "$E2E_BIN" --replay "$GOLDEN/menus-and-walls.fwrec" || finish
close_and_expect_one "closed during a replay"
check "a closed replay says where it stopped" grep -q "stopped: the window was closed" "$E2E_TMP/game.out"
finish
