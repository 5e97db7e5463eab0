#!/usr/bin/env bash
# test_wayland.sh: the game on Wayland in a weston nested in our Xvfb, driven by real X input through
# weston's window: title bar, intro, menu, a click into a game, moved, maximised, Escape, closed.
. "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || { echo "weston is not installed (scripts/install-deps.sh installs it)"; exit 1; }
start_xvfb
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xffffffff\n' >"$E2E_TMP/weston.ini"
# Maximised under a title bar of 24 rows, the game's window is 960 x 720, 4:3.
background weston --backend=x11-backend.so --use-pixman --socket=fendwall --width=960 --height=744 \
    --config="$E2E_TMP/weston.ini" >"$E2E_TMP/weston.log" 2>&1
WINDOW=$(timeout 60 xdotool search --sync --onlyvisible --class '^Weston Compositor$' | head -n 1)
check "weston's desktop" wait_until 60 eval 'gt "$(mean_of "$(shot poll)")" 0.99' || finish
# Focused before the game starts: a change of focus can leave weston's windows without the keyboard.
# The pointer comes in from outside (weston takes its place from the crossing alone) to where the
# game's window will be, wherever weston puts it.
xdotool windowfocus --sync "$WINDOW" mousemove 1020 760 && xdotool mousemove --window "$WINDOW" 480 372
# locate: the game's window is the dark rectangle on the white desktop (weston draws no pointer
# over it); CROP, OX and OY are its picture, below TITLE rows of title bar.
locate() {
    local w h x y; import -window "$WINDOW" "$E2E_TMP/desktop.png" && IFS='x+' read -r w h x y < <(convert \
        "$E2E_TMP/desktop.png" -colorspace gray -threshold 8% -bordercolor white -border 1 -format '%@' info:)
    [ "${w:-0}" -ge 640 ] && [ "${h:-0}" -ge 480 ] && TITLE=${TITLE:-$((h - 480))} OX=$((x - 1)) &&
        OY=$((y - 1 + TITLE)) CROP="${w}x$((h - TITLE))+$OX+$OY"
}
find_window() { wait_until 60 locate; }
start_game "$E2E_ROOT" env -u DISPLAY SDL_VIDEODRIVER=wayland WAYLAND_DISPLAY=fendwall "$E2E_BIN" || finish
check "a title bar of $TITLE rows with the title in white" eval '[ "$TITLE" -ge 16 ] &&
    [ "$(pixels "$E2E_TMP/desktop.png" 640x$TITLE+$OX+$((OY - TITLE)) "$WHITE")" -gt 200 ]'
check "intro" wait_until 60 intro_shown
check "the menu after the intro" wait_until 60 menu_shown
click_at 320 180
check "a click on New Game starts a game" wait_until 60 playing

# Dragged by the title bar, the button held until weston has moved the window with the pointer.
x=$OX y=$((OY - TITLE / 2)) dx=$((OX < 160 ? 100 : -100)) dy=$((OY - TITLE < 120 ? 60 : -60))
to() { xdotool mousemove --window "$WINDOW" "$@"; }
drag() { to $((x + 201 + dx)) $((y + dy)) && to $((x + 200 + dx)) $((y + dy)) && locate && [ "$OX,$OY" = "$((x + dx)),$((y + TITLE / 2 + dy))" ]; }
to $((x + 200)) $y mousedown 1
check "moved by its title bar, by $dx,$dy" wait_until 60 drag
xdotool mouseup 1 && to $((OX + 640 - 48)) $((OY - TITLE / 2)) click 1
check "maximised by its button" wait_until 60 eval 'locate && [ "$CROP" = "960x$((744 - TITLE))+0+$TITLE" ]'
key Escape && check "Escape: the menu, scaled to the window" wait_until 60 menu_shown
to $((960 - 16)) $((TITLE / 2)) click 1 && wait_exit 60
check "closed by its button: status $STATUS" [ "$STATUS" = 1 ]
finish
