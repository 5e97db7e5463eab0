#!/usr/bin/env bash
# test_wayland.sh: the game on Wayland in a weston nested in our Xvfb, driven by real X input through
# weston's window: title bar, intro, menu, a click into a game, moved, maximised, Escape, closed.
# weston's output is scaled by 2, as a high-density display is: the game draws at its pixels.
. "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || { echo "weston is not installed (scripts/install-deps.sh installs it)"; exit 1; }
E2E_SCREEN=2000x1500 start_xvfb
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xffffffff\n' >"$E2E_TMP/weston.ini"
# Places are in weston's units, S pixels each. Maximised under a title bar of 24 units, the game's
# window is 960 x 720 units, 4:3.
S=2
background weston --backend=x11-backend.so --use-pixman --socket=fendwall --width=960 --height=744 --scale=$S \
    --config="$E2E_TMP/weston.ini" >"$E2E_TMP/weston.log" 2>&1
WINDOW=$(timeout 60 xdotool search --sync --onlyvisible --class '^Weston Compositor$' | head -n 1)
check "weston's desktop" wait_until 60 eval 'gt "$(mean_of "$(shot poll)")" 0.99' || finish
# Focused before the game starts: a change of focus can leave weston's windows without the keyboard.
# The pointer comes in from outside (weston takes its place from the crossing alone) to where the
# game's window will be, wherever weston puts it.
xdotool windowfocus --sync "$WINDOW" mousemove 1990 1490 && xdotool mousemove --window "$WINDOW" $((480 * S)) $((372 * S))
# locate: the game's window is the dark rectangle on the white desktop (weston draws no pointer
# over it); CROP, OX and OY are its picture, below TITLE pixels of title bar.
locate() {
    local w h x y; import -window "$WINDOW" "$E2E_TMP/desktop.png" && IFS='x+' read -r w h x y < <(convert \
        "$E2E_TMP/desktop.png" -colorspace gray -threshold 8% -bordercolor white -border 1 -format '%@' info:)
    [ "${w:-0}" -ge $((640 * S)) ] && [ "${h:-0}" -ge $((480 * S)) ] && TITLE=${TITLE:-$((h - 480 * S))} OX=$((x - 1)) &&
        OY=$((y - 1 + TITLE)) CROP="${w}x$((h - TITLE))+$OX+$OY"
}
to() { xdotool mousemove --window "$WINDOW" "$@"; }
click_at() { MOUSE="$1 $2"; to $(($1 * S + OX)) $(($2 * S + OY)) click 1; }  # at a place in the game's 640 x 480 picture
titled() { pixels "$E2E_TMP/desktop.png" ${CROP%%x*}x$TITLE+$OX+$((OY - TITLE)) "$WHITE"; }  # the title's white pixels
find_window() { wait_until 60 locate; }
start_game "$E2E_ROOT" env -u DISPLAY SDL_VIDEODRIVER=wayland WAYLAND_DISPLAY=fendwall "$E2E_BIN" || finish
check "a title bar of $TITLE rows with the title in white" eval '[ "$TITLE" -ge 16 ] &&
    [ "$(pixels "$E2E_TMP/desktop.png" 640x$TITLE+$OX+$((OY - TITLE)) "$WHITE")" -gt 200 ]'
check "intro" wait_until 60 intro_shown
check "the menu after the intro" wait_until 60 menu_shown
# Drawn at the output's pixels, the HUD's letters have hard edges: hardly a pixel between their
# green and black. Drawn at one pixel a unit and blown up by weston, more are between than green.
import -window "$WINDOW" "$E2E_TMP/hud.png" && set -- "$E2E_TMP/hud.png" $((420 * S))x$((36 * S))+$OX+$OY
green=$(pixels "$@" "$GREEN") between=$(pixels "$@" 'g>0.1 && g<0.6 && r<0.3 && b<0.3')
check "sharp: the HUD's text at the output's pixels ($green green, $between between)" [ "$green" -gt 1000 -a $((10 * between)) -lt "$green" ]
click_at 320 180
check "a click on New Game starts a game" wait_until 60 playing

# Dragged by the title bar, the button held until weston has moved the window with the pointer.
x=$OX y=$((OY - TITLE / 2)) dx=$((OX < 160 ? 100 : -100)) dy=$((OY - TITLE < 120 ? 60 : -60))
drag() { to $((x + 201 + dx)) $((y + dy)) && to $((x + 200 + dx)) $((y + dy)) && locate && [ "$OX,$OY" = "$((x + dx)),$((y + TITLE / 2 + dy))" ]; }
to $((x + 200)) $y mousedown 1
check "moved by its title bar, by $dx,$dy" wait_until 60 drag
xdotool mouseup 1 && to $((OX + (640 - 48) * S)) $((OY - TITLE / 2)) click 1
maximised="$((960 * S))x$((744 * S - TITLE))+0+$TITLE"
check "maximised by its button" wait_until 60 eval 'locate && [ "$CROP" = "$maximised" ]'
key Escape && check "Escape: the menu, scaled to the window" wait_until 60 menu_shown
to $(((960 - 16) * S)) $((TITLE / 2)) click 1 && wait_exit 60
check "closed by its button: status $STATUS" [ "$STATUS" = 1 ]

# Started again, maximised as left; F11 to full screen and back to maximised (weston ends a client that
# leaves full screen maximised in one step). Switched, it has the keyboard once clicked. (Back from
# full screen, weston takes clicks a title bar's height off, from any window: SDL 2.26 and libdecor.)
start_game "$E2E_ROOT" env -u DISPLAY SDL_VIDEODRIVER=wayland WAYLAND_DISPLAY=fendwall "$E2E_BIN" || finish
check "started again: maximised at once" wait_until 60 eval 'locate && [ "$CROP" = "$maximised" ]'
key F11 && check "F11: full screen, no title bar" wait_until 60 eval 'locate && [ "$(titled)" -lt 50 ]'
click_at 600 400 && key F11 && check "F11 again: maximised as before" wait_until 60 eval 'locate && [ "$CROP" = "$maximised" ] && [ "$(titled)" -gt 200 ]'
kill "$GAME_PID" && wait_exit 30  # ended here, its title bar taking no clicks
finish
