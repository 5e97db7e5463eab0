#!/usr/bin/env bash
# test_keyboard.sh: a whole game played with the keyboard alone, real X keys and no mouse input at
# all: the intro skipped, New Game, a wall each way closing off a strip, Escape and Resume,
# Exit, the credits ended, status 1.
. "$(dirname "$0")/lib.sh"
start_xvfb
RESUME=130x50+255+228
# Places in the picture: the column beside the left border, the row beside the bottom border
# (each solid only once a wall in column 2 or row 2 has closed it off), the middle of the field.
COLUMN1=8x17+88+322 ROW1=80x10+380+428 MIDDLE=80x60+280+260
BLOCK='g>0.45 && b>0.45 && r<0.6'
# blocky PNG GEOMETRY: the percentage of the rectangle in a block's colour: over 90 solid, under
# 10 open (a ball's edge over the floor may pass for a block's colour).
blocky() { convert "$1" -crop "$2" +repage -fx "$BLOCK ? 1 : 0" -format '%[fx:round(100*mean)]' info:; }
# The game takes one message a frame step of 30 ms, and a key is two (down, up): a little over
# two frames per key keeps the queue short.
press() { keys key --delay 70 "$@"; }

# Xvfb puts the pointer in the middle of the screen, where the window will open at 0,0; the
# window's first pointer message would place the game's pointer there and every key step would
# start from it. Moved off once, before the window exists; no mouse input after this.
xdotool mousemove --sync 1000 700
pointer=$(xdotool getmouselocation | cut -d' ' -f1-2) && px=${pointer%% *} py=${pointer#*y:}
# Recorded: the recording counts frame steps, which a slow or busy machine does not stretch.
start_game "$E2E_ROOT" "$E2E_BIN" --record "$E2E_TMP/game.fwrec" || finish
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
check "window at $X,$Y ${WIDTH}x$HEIGHT, the pointer ($pointer) outside it" eval \
    '[ ${px#x:} -ge $((X + WIDTH)) ] || [ $py -ge $((Y + HEIGHT)) ] || [ ${px#x:} -lt $X ] || [ $py -lt $Y ]'

# Escape at once skips the intro (test_play.sh watches it run its course).
key Escape
wait_until 60 menu_shown || { fail "no menu after the intro"; finish; }

# Down from no button goes to the top one, New Game; Return pushes it. Its cursor mark is at
# the button's centre until play starts.
press Down Return
MOUSE="320 179"
check "down, return: new game starts" wait_until 30 playing
start=$(shot play-start)
check "new game: the middle and both edge strips open" eval '[ "$(blocky "$start" $COLUMN1)" -lt 10 ] &&
    [ "$(blocky "$start" $ROW1)" -lt 10 ] && [ "$(blocky "$start" $MIDDLE)" -lt 10 ]'

# ball_in PNG GEOMETRY: how many of the rectangle's pixels are the ball's red (far redder than green).
ball_in() { convert "$1" -crop "$2" +repage -channel R -separate +channel \( "$1" -crop "$2" +repage -channel G \
    -separate +channel \) -compose minus_src -composite -threshold 40% -format '%[fx:round(mean*w*h)]' info:; }

# wall LABEL PROBE NEAR KEYS...: the keys (moves, turns); then, once the ball is out of NEAR, far
# enough not to reach the wall before it is done, Return; true once the wall closed off the strip
# at PROBE. A ball that breaks it all the same costs a life (the HUD changes): Return again from
# the same cell, as long as two lives are left.
BROKEN=0
wall() { local label=$1 probe=$2 near=$3 before=$E2E_TMP/before-$1.png; shift 3; press "$@"
    while wait_until 30 eval '[ "$(ball_in "$(shot "before-$label")" $near)" = 0 ]' && press Return &&
        wait_until 30 eval 's=$(shot poll); [ "$(blocky "$s" $probe)" -gt 90 ] || ! same_crop "$before" "$s" $HUD'; do
        [ "$(blocky "$E2E_TMP/poll.png" "$probe")" -gt 90 ] && break
        echo "a ball broke the $label wall"; [ $((++BROKEN)) -lt 3 ] || break
    done; cp "$E2E_TMP/poll.png" "$E2E_TMP/$label.png" && [ "$(blocky "$E2E_TMP/$label.png" "$probe")" -gt 90 ]; }
# From New Game's cell (column 15, row 18): R turns to vertical (the program's first turn), 13
# cells left to column 2; built with the ball right of column 19 or so. Then R back to
# horizontal, 16 down to row 2 and 13 right to column 15, the middle of its run, where it is
# done soonest; built with the ball above row 18 or so.
check "vertical wall in column 2 closes off column 1" wall vertical $COLUMN1 400x400+0+80 R \
    $(printf 'Left %.0s' {1..13})
check "  and leaves the middle open" eval '[ "$(blocky "$E2E_TMP/vertical.png" $MIDDLE)" -lt 10 ]'
check "horizontal wall in row 2 closes off row 1" wall horizontal $ROW1 640x280+0+200 R $(printf 'Down %.0s' {1..16}) \
    $(printf 'Right %.0s' {1..13})
check "  and leaves the middle open" eval '[ "$(blocky "$E2E_TMP/horizontal.png" $MIDDLE)" -lt 10 ]'
walls=$(shot walls)

# Escape: the menu with Resume. The pointer is on the field, on no button: Down goes to New
# Game, Down again to Resume; Space pushes it.
key Escape
check "escape: the menu with resume" wait_until 30 eval '[ "$(pixels "$(shot menu-resume)" $RESUME "$WHITE")" -gt 150 ]'
press Down Down space
MOUSE="320 254"
check "down, down, space: resume, play goes on" wait_until 30 playing
check "resume: the same game (HUD and both strips kept)" eval 'same_crop "$walls" "$E2E_TMP/poll.png" $HUD &&
    [ "$(blocky "$E2E_TMP/poll.png" $COLUMN1)" -gt 90 ] && [ "$(blocky "$E2E_TMP/poll.png" $ROW1)" -gt 90 ]'

# Escape again; from Resume, Down goes to Exit and Return pushes it: the credits; Return ends them.
key Escape
check "escape again: the menu" wait_until 30 eval '[ "$(pixels "$(shot menu-again)" $RESUME "$WHITE")" -gt 150 ]'
press Down Return
check "down, return: exit rolls the credits" wait_until 30 credits_roll
shot credits >/dev/null
key Return && wait_exit 30
check "return ends the credits and the game, status $STATUS" [ "$STATUS" = 1 ]
# The intro lasts 170 frame steps; the Down sent once the menu showed came before: Escape ended it.
down=$(awk '$2 == "key-down" && $3 == 40 { print $1; exit }' "$E2E_TMP/game.fwrec")
check "escape skipped the intro: the menu's first Down taken at frame step ${down:-none}" [ "${down:-999}" -lt 170 ]
no_x_errors
check "no mouse input: the pointer still at $pointer" [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "$pointer" ]
finish
