#!/usr/bin/env bash
# test_window.sh: under a window manager, a window made larger, then maximised; F11 to full screen and
# back to it maximised; closed and started again, maximised at once and restored to the size before.
. "$(dirname "$0")/lib.sh"
start_xvfb && start_wm
# maximised: so by the window manager's word, and as wide as the screen.
maximised() { xprop -id "$WINDOW" _NET_WM_STATE | grep -q 'MAXIMIZED_VERT, _NET_WM_STATE_MAXIMIZED_HORZ' &&
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")" && [ "$WIDTH" = 1024 ]; }
drawn_800x600() { size 800x600 && menu_shown; }
# left yes|no: the settings say the window was left maximised or not, to be restored at 800x600.
left() { grep -qx "maximised $1" "$XDG_CONFIG_HOME/fendwall/settings" && grep -qx "window 800x600" "$XDG_CONFIG_HOME/fendwall/settings"; }

start_game || finish
xdotool windowsize --sync "$WINDOW" 800 600 && check "made larger: 800x600, drawn so" wait_until 30 drawn_800x600
wmctrl -i -r "$WINDOW" -b add,maximized_vert,maximized_horz && check "maximised by the window manager" wait_until 30 maximised
check "F11: full screen; F11 again: maximised as before" eval 'key F11 && wait_until 30 size 1024x768 && key F11 && wait_until 30 maximised'
close_and_expect_one "maximised" && check "remembered maximised, and the size it is restored to" left yes

start_game || finish
check "started again: maximised at once, never offered smaller than 320 x 240" eval 'wait_until 30 maximised &&
    xprop -id "$WINDOW" WM_NORMAL_HINTS | grep -q "minimum size: 320 by 240"'
wmctrl -i -r "$WINDOW" -b remove,maximized_vert,maximized_horz && check "restored: 800x600, drawn so" wait_until 30 drawn_800x600
close_and_expect_one "restored" && check "remembered restored at 800x600" left no
finish
