#!/usr/bin/env bash
# test_controls.sh: the small controls on a real X server, keys only: P pauses (the picture
# darkened under the word, standing still, the sound held) and resumes, M mutes, and the mute is
# remembered; with pause-when-away, a window that loses the focus pauses, and the recording of
# that game holds the pause and replays to every checkpoint.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_wm
E2E_AUDIODRIVER=disk && export SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw"
WORD=100x40+270+220  # where "Pause" stands, over the field's middle
# The sound the game wrote last, as the disk driver writes it in real time: silent when its
# last 16 KB are all zero, loud when they hold many values.
tail_values() { tail -c 16384 "$SDL_DISKAUDIOFILE" | od -An -tu1 -v | tr -s ' ' '\n' | sort -u | grep -c .; }
silent() { [ -s "$SDL_DISKAUDIOFILE" ] && [ "$(tail_values)" = 1 ]; }
loud() { [ -s "$SDL_DISKAUDIOFILE" ] && [ "$(tail_values)" -gt 20 ]; }
# paused: the field far darker than in play, and the word in white where nothing white is in play.
paused() { local s; s=$(shot paused) && gt "$bright" "$(mean_of "$s" $FIELD) * 1.6" && [ "$(pixels "$s" $WORD "$WHITE")" -gt 40 ]; }
resumed() { local s; s=$(shot poll) && ! gt "$bright" "$(mean_of "$s" $FIELD) * 1.2" && [ "$(pixels "$s" $WORD "$WHITE")" -lt 10 ]; }

start_game "$E2E_ROOT" "$E2E_BIN" --record "$E2E_TMP/game.fwrec" || finish
key Escape && wait_until 60 menu_shown || { fail "no menu after the intro"; finish; }
keys key --delay 70 Down Return
MOUSE="320 179"
check "new game by keys" wait_until 30 playing
bright=$(mean_of "$E2E_TMP/poll.png" $FIELD)
check "the music in play" wait_until 30 loud

key p
check "P: the picture darkened under the word Pause" wait_until 30 paused
check "  standing still: the next picture is the same" same_crop "$E2E_TMP/paused.png" "$(shot still)" $FIELD
check "  the sound held" wait_until 30 silent
key p
check "P again: play and the music go on" wait_until 30 eval 'resumed && loud'

key m
check "M: silent, and play goes on" wait_until 30 eval 'silent && resumed && ! same_crop "$E2E_TMP/poll.png" "$(shot moving)" $FIELD'
close_and_expect_one "muted"
check "the mute is remembered" grep -qx "mute yes" "$XDG_CONFIG_HOME/fendwall/settings"

# pause-when-away: another window takes the focus, and play pauses; P resumes.
sed -i 's/^pause-when-away no$/pause-when-away yes/' "$XDG_CONFIG_HOME/fendwall/settings"
start_game "$E2E_ROOT" "$E2E_BIN" --record "$E2E_TMP/away.fwrec" || finish
key Escape && wait_until 60 menu_shown || { fail "no menu after the intro"; finish; }
keys key --delay 70 Down Return
check "new game by keys" wait_until 30 playing
xmessage -geometry +700+500 "away" & E2E_PIDS="$! $E2E_PIDS"
other=$(timeout 30 xdotool search --sync --onlyvisible --class xmessage | head -n 1)
xdotool windowactivate --sync "$other"
check "another window focused: paused" wait_until 30 paused
key p
check "P: play goes on" wait_until 30 resumed
close_and_expect_one "after the pause when away"
check "the pause when away is recorded as a pause, beside P's" [ "$(grep -c " act pause$" "$E2E_TMP/away.fwrec")" = 2 ]
out=$(cd "$E2E_ROOT" && env -u DISPLAY SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$E2E_BIN" --timedemo "$E2E_TMP/away.fwrec" 2>&1)
checks=$(grep -c ' check ' "$E2E_TMP/away.fwrec")
check "its replay matches every checkpoint ($checks)" grep -q "$checks of $checks checkpoints matched" <<<"$out"
no_x_errors
finish
