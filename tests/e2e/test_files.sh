#!/usr/bin/env bash
# test_files.sh: the installed game's paths are the player's; a full disk costs the recording, not the
# game; a FIFO as a recording is refused at once; settings the player cannot read are kept.
. "$(dirname "$0")/lib.sh"
prefix=$E2E_TMP/prefix player=$E2E_TMP/player disk=$E2E_TMP/disk
mkdir "$player" "$disk" && mkfifo "$player/fifo"
cmake --install "$(dirname "$E2E_BIN")" --prefix "$prefix" >"$E2E_TMP/install.log" || { fail "install"; finish; }
game=$prefix/bin/fendwall
# off ARGS...: the installed game run from the player's folder on the offscreen driver, within
# WITHIN (20) seconds; sets STATUS, stdout in $OUT, stderr in $ERR.
OUT=$E2E_TMP/off.out ERR=$E2E_TMP/off.err
off() { (cd "$player" && SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout "${WITHIN:-20}" "$game" "$@" >"$OUT" 2>"$ERR"); STATUS=$?; }
# refused LABEL PATTERN ARGS...: status 2 and one line on stderr, matching PATTERN.
refused() { local label=$1 pattern=$2; shift 2; off "$@"
    check "$label: status $STATUS: $(head -c 160 "$ERR")" eval '[ "$STATUS" = 2 ] && [ "$(wc -l <"$ERR")" = 1 ] && grep -q "$pattern" "$ERR"'; }
# closed LABEL: the window closed, status 1; no window left to take pictures of.
closed() { close_and_expect_one "$1"; WINDOW=""; }
matched_all() { local n; n=$(grep -c ' check ' "$1" 2>/dev/null); [ "${n:-0}" -ge 1 ] && grep -q " $n of $n checkpoints matched" "$OUT"; }

# Installed, and started from a folder with no data/: the paths typed are relative to it.
cp "$E2E_ROOT/tests/golden/two-levels.fwrec" "$player/golden.fwrec"
WITHIN=120 off --timedemo golden.fwrec
check "installed: timedemo of a relative path, status $STATUS, data found" \
    eval '[ "$STATUS" = 0 ] && matched_all "$player/golden.fwrec" && ! grep -q "no pictures" "$ERR"'
refused "timedemo of a FIFO" "FIFO" --timedemo fifo
refused "recording into a FIFO nobody reads" "FIFO" --record fifo
check "the FIFO is left a FIFO" test -p "$player/fifo"

start_xvfb
start_game "$player" "$game" --record new.fwrec || finish
closed "installed, recording"
check "the recording is in the player's folder alone" eval '[ -s "$player/new.fwrec" ] && [ -z "$(find "$prefix" -name new.fwrec)" ]'
WITHIN=120 off --replay new.fwrec
check "it replays: status $STATUS, every checkpoint matched" eval '[ "$STATUS" = 0 ] && matched_all "$player/new.fwrec"'

# A disk that fills up in play: a 4 KiB tmpfs, or without the right to mount, a file size limit.
if mount -t tmpfs -o size=4k tmpfs "$disk" 2>/dev/null; then
    trap 'status=$?; umount -l "$disk"; (exit $status); cleanup' EXIT
    echo "full disk: a 4 KiB tmpfs"; limit="" full=yes
else
    echo "full disk: not allowed to mount, so ulimit -f instead"; limit="ulimit -f 4; trap '' XFSZ; " full=""
fi
start_game "$player" bash -c "$limit"'exec "$0" "$@"' "$game" --record "$disk/full.fwrec" || finish
mouse() { while :; do for x in 100 300 500; do xdotool mousemove --window "$WINDOW" $x 200; done; done; }
background mouse; mover=$!
check "full disk: said" wait_until 120 grep -q "the game goes on unrecorded" "$GAME_ERR"
kill "$mover" && after=$(shot after-full)
check "full disk: the game draws on" wait_until 30 eval '! same_crop "$after" "$(shot poll)" $FIELD'
closed "full disk"
check "full disk: said once" test "$(grep -c "cannot write the recording" "$GAME_ERR")" = 1
WITHIN=120 off --timedemo "$disk/full.fwrec"
check "full disk: what was written replays, status $STATUS: $(cat "$ERR")" eval '[ "$STATUS" = 0 ] && [ "$(wc -l <"$ERR")" = 1 ] &&
    grep -qE "is cut off in line|ends without the game.s end" "$ERR" && grep -qE " ([1-9][0-9]*) of \1 checkpoints matched" "$OUT"'
# A disk full from the start; a file size limit of 0 would also stop the game's stderr file.
if [ -n "$full" ]; then
    head -c 1M /dev/zero >"$disk/filler" 2>/dev/null; off --record "$disk/none.fwrec"
    check "full disk: no recording, no game: status $STATUS: $(cat "$ERR")" eval '[ "$STATUS" = 2 ] && [ "$(wc -l <"$ERR")" = 1 ] &&
        grep "cannot write the recording" "$ERR" | grep -q "No space left on device" && ! grep -q "goes on" "$ERR"'
else echo "skipped: a recording on a disk full from the start needs the tmpfs"; fi

# Unreadable settings: root reads anything, so a player without rights (the unit tier does the rest).
if [ "$(id -u)" != 0 ]; then
    echo "skipped: settings without rights need root to become another user"; finish
fi
home=$E2E_TMP/nobody settings=$E2E_TMP/nobody/config/fendwall/settings
mkdir -p "$home/config/fendwall" "$home/run" && printf 'fullscreen no\nwindow 800x600\n' >"$settings"
cp "$settings" "$E2E_TMP/settings.orig" && chown -R 65534:65534 "$home" && chmod 700 "$home/run"
chmod 711 "$E2E_TMP" && chmod -R a+rX "$prefix" "$player"
chmod 000 "$settings" && start_game "$player" setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" "$game" || kill -9 "$GAME_PID"
check "unreadable settings: the default window" wait_until 30 size 640x480
closed "unreadable settings"
check "unreadable settings: said once, left as they were: $(cat "$GAME_ERR")" eval '[ "$(wc -l <"$GAME_ERR")" = 1 ] &&
    grep -q "Permission denied.*defaults" "$GAME_ERR" && cmp -s "$settings" "$E2E_TMP/settings.orig" && [ "$(stat -c %a "$settings")" = 0 ]'
finish
