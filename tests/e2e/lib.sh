# lib.sh: the end-to-end tests' own Xvfb, the game under it, real X input, screenshots. Every
# wait polls for what only the awaited state shows: on a busy machine any fixed time is wrong.
set -u
E2E_BIN=${1:?usage: test.sh FENDWALL_BINARY REPO_ROOT} E2E_ROOT=${2:?usage: test.sh FENDWALL_BINARY REPO_ROOT}
E2E_CLOSE="$(dirname "$E2E_BIN")/tests/x11_close_window"
E2E_TMP=$(mktemp -d /tmp/fendwall-e2e-XXXXXX)
E2E_FAILS=0 E2E_GAMES=0 E2E_PIDS="" GAME_PID="" WINDOW="" CROP="" OX=0 OY=0 MOUSE="0 0"
HUD=420x36+0+0 FIELD=560x380+40+80 GREEN='g>0.6 && r<0.3 && b<0.3' WHITE='r>0.8 && g>0.8 && b>0.8'
# The games' settings, and any Wayland socket, are ours alone, never the developer's.
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_RUNTIME_DIR="$E2E_TMP/run" && unset WAYLAND_DISPLAY
mkdir -m 700 "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
# A failed run keeps its folder: the screenshots, one taken at each failure, and each game's stderr.
cleanup() { local status=$?; kill -9 $GAME_PID 2>/dev/null; kill $E2E_PIDS 2>/dev/null
    [ "$status" = 0 ] && rm -rf "$E2E_TMP" || echo "screenshots and the game's stderr kept in $E2E_TMP"; }
trap cleanup EXIT && trap "exit 143" TERM INT
# background COMMAND...: a helper process (X server, window manager, compositor) ended at exit.
background() { "$@" & E2E_PIDS="$! $E2E_PIDS"; }

fail() { echo "FAIL: $*"; E2E_FAILS=$((E2E_FAILS + 1)); [ -z "$WINDOW" ] || shot "failed-$E2E_FAILS" >/dev/null; }
pass() { echo "ok: $*"; }
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }  # check DESCRIPTION COMMAND...
finish() { [ "$E2E_FAILS" -gt 0 ] && { echo "$E2E_FAILS check(s) failed"; exit 1; }; echo "all checks passed"; exit 0; }

# A display of our own, so tests never touch the developer's screen: a free number, its lock file
# taken by our Xvfb (which ends at once if another server holds it: then the next number), of
# E2E_SCREEN's size (1024x768 unless set).
start_xvfb() {
    local n; for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        # -noreset: without it the server resets as its last client leaves, and the readiness
        # probe below is such a client; a window manager connecting during that reset fails.
        background Xvfb ":$n" -screen 0 ${E2E_SCREEN:-1024x768}x24 -nolisten tcp -noreset 2>"$E2E_TMP/xvfb.log" && export DISPLAY=":$n"
        wait_until 30 eval 'kill -0 ${E2E_PIDS%% *} 2>/dev/null && xdpyinfo >/dev/null 2>&1' && return 0
    done; echo "cannot start Xvfb"; cat "$E2E_TMP/xvfb.log"; exit 1; }

# A window manager, which carries out full screen as on a player's desktop.
# One that could not connect (it has ended) is started again, until it is up or 30 s are gone.
start_wm() {
    local deadline=$((SECONDS + 30)) wm
    while [ "$SECONDS" -lt "$deadline" ]; do
        background openbox >>"$E2E_TMP/wm.log" 2>&1; wm=$!
        while kill -0 "$wm" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
            sleep 0.1
        done
    done
    fail "no window manager"
}
# size WxH: the game's window has that size.
size() { eval "$(xdotool getwindowgeometry --shell "$WINDOW")"; [ "${WIDTH}x${HEIGHT}" = "$1" ]; }

# start_game [DIR [PROGRAM [ARGS...]]]: the game (or PROGRAM) run in DIR (the repo root), its
# stderr in GAME_ERR; find_window then sets WINDOW.
start_game() {
    local dir=${1:-$E2E_ROOT} program=${2:-$E2E_BIN}
    shift $(($# < 2 ? $# : 2))
    GAME_ERR="$E2E_TMP/game-$((++E2E_GAMES)).err"
    (cd "$dir" && SDL_AUDIODRIVER=${E2E_AUDIODRIVER:-dummy} exec "$program" "$@" >"$E2E_TMP/game.out" 2>"$GAME_ERR") & GAME_PID=$!
    find_window || { fail "no visible game window"; cat "$GAME_ERR"; return 1; }
}
find_window() { WINDOW=$(timeout 60 xdotool search --sync --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1); [ -n "$WINDOW" ]; }

# wait_exit SECONDS: waits for the game to end; sets STATUS (124 on timeout).
wait_exit() { STATUS=124; [ -n "$GAME_PID" ] && wait_until "$1" eval '! kill -0 $GAME_PID 2>/dev/null' &&
    { wait "$GAME_PID"; STATUS=$?; GAME_PID=""; }; }
# close_and_expect_one LABEL: the window closed as a window manager does it.
close_and_expect_one() { "$E2E_CLOSE" "$WINDOW" && wait_exit 30
    [ "$STATUS" = 1 ] && pass "$1: close ends with status 1" || fail "$1: status $STATUS after close"; no_x_errors; }

# Keys go through XTEST to the focused window, as a keyboard's would: chained after
# windowfocus, xdotool would send them to the window directly, and SDL ignores those.
# Positions are in the game's picture, which starts at OX, OY in WINDOW.
click_at() { MOUSE="$1 $2"; xdotool mousemove --window "$WINDOW" $(($1 + OX)) $(($2 + OY)) click "${3:-1}"; }
keys() { xdotool windowfocus --sync "$WINDOW"; xdotool "$@"; }
key() { keys key "$@"; }

# shot NAME: a PNG of the game's picture (CROP of WINDOW), brought to 640 x 480 so that one set
# of places fits every window size. (import without a window would wait for a click.)
shot() { [ -n "$WINDOW" ] && timeout 30 import -window "$WINDOW" miff:- 2>/dev/null |
    convert - ${CROP:+-crop "$CROP" +repage} -resize '640x480!' "$E2E_TMP/$1.png"; echo "$E2E_TMP/$1.png"; }
# mean_of PNG [GEOMETRY]: mean brightness 0..1; pixels PNG GEOMETRY TEST: how many pass TEST.
mean_of() { convert "$1" ${2:+-crop "$2" +repage} -colorspace gray -format '%[fx:mean]' info:; }
pixels() { convert "$1" -crop "$2" +repage -fx "$3 ? 1 : 0" -format '%[fx:round(mean*w*h)]' info:; }
# same_crop A B GEOMETRY: true when the rectangle is identical in both pictures.
same_crop() { [ "$(compare -metric AE -crop "$3" "$1" "$2" null: 2>&1 >/dev/null | cut -d' ' -f1)" = 0 ]; }
gt() { awk "BEGIN{exit !(($1) > ($2))}" 2>/dev/null; }  # gt A B: A > B, numbers or sums of them
no_x_errors() { ! grep -qiE 'X Error|BadWindow|XIO|fatal IO' "$GAME_ERR" || { fail "X errors on stderr"; cat "$GAME_ERR"; }; }

# wait_until SECONDS TEST...: polls TEST (every POLL seconds) until it holds, or fails after
# SECONDS, a limit far beyond a slow machine's.
wait_until() { local end=$((SECONDS + $1)); shift
    until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep "${POLL:-0.25}"; done; }
# intro_shown: the title's stripes across the middle, black above: only the intro looks so.
intro_shown() { local s; s=$(shot poll); gt "$(mean_of "$s" 640x36+0+222)" 0.15 && ! gt "$(mean_of "$s" 640x120+0+60)" 0.02; }
# menu_shown: New Game's white label (the field's colour is as bright as the button's) and the HUD.
menu_shown() { local s; s=$(shot poll); [ "$(pixels "$s" 130x60+255+150 "$WHITE")" -gt 200 ] && [ "$(pixels "$s" $HUD "$GREEN")" -gt 100 ]; }
# playing: no menu, and no menu cursor (a white x) at the mouse. The cursor stays through every
# frame of the camera's flight and goes with the first frame of play, when clicks start to count.
playing() { ! menu_shown && set -- $MOUSE && [ "$(pixels "$E2E_TMP/poll.png" 40x40+$(($1 - 20))+$(($2 - 20)) "$WHITE")" = 0 ]; }
# build_wall: in play, a vertical wall from the middle; true once it closed off a region (the
# field far brighter) or a ball broke it (the HUD shows a life less).
build_wall() { local before field; before=$(shot before-wall) && field=$(mean_of "$before" $FIELD)
    click_at 320 300 3 && click_at 320 300 1
    wait_until "${1:-30}" eval 's=$(shot poll); gt "$(mean_of "$s" $FIELD)" "$field + 0.08" || ! same_crop "$before" "$s" $HUD'; }
# credits_roll: green lines rising in the lower right, where nothing else is green.
credits_roll() { [ "$(pixels "$(shot poll)" 350x230+290+250 "$GREEN")" -gt 100 ]; }
