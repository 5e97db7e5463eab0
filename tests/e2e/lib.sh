# lib.sh: the end-to-end tests' own Xvfb, the game under it, real X input, screenshots.
set -u
E2E_BIN=${1:?usage: test.sh FENDWALL_BINARY REPO_ROOT}
E2E_ROOT=${2:?usage: test.sh FENDWALL_BINARY REPO_ROOT}
E2E_CLOSE="$(dirname "$E2E_BIN")/tests/x11_close_window"
E2E_TMP=$(mktemp -d /tmp/fendwall-e2e-XXXXXX)
E2E_FAILS=0 GAME_PID="" XVFB_PID=""
cleanup() { [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; rm -rf "$E2E_TMP"; }
trap cleanup EXIT

fail() { echo "FAIL: $*"; E2E_FAILS=$((E2E_FAILS + 1)); }
pass() { echo "ok: $*"; }
# check DESCRIPTION COMMAND...: pass or fail by the command's status.
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
finish() { [ "$E2E_FAILS" -gt 0 ] && { echo "$E2E_FAILS check(s) failed"; exit 1; }; echo "all checks passed"; exit 0; }

# A display of our own, so tests never touch the developer's screen.
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
        XVFB_PID=$! DISPLAY=":$n"
        export DISPLAY
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
        kill "$XVFB_PID" 2>/dev/null
    done
    echo "cannot start Xvfb"; exit 1
}

# start_game [DIR [PROGRAM [ARGS...]]]: the game (or PROGRAM) run in DIR (the repo root); sets WINDOW.
start_game() {
    local dir=${1:-$E2E_ROOT} program=${2:-$E2E_BIN}
    shift $(($# < 2 ? $# : 2))
    (cd "$dir" && SDL_AUDIODRIVER=${E2E_AUDIODRIVER:-dummy} exec "$program" "$@" >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err") &
    GAME_PID=$!
    WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
    [ -n "$WINDOW" ] || { fail "no visible game window"; cat "$E2E_TMP/game.err"; return 1; }
}

# wait_exit SECONDS: waits for the game to end; sets STATUS (124 on timeout).
wait_exit() {
    local i
    for i in $(seq $(($1 * 10))); do
        kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID"; STATUS=$?; GAME_PID=""; return 0; }
        sleep 0.1
    done
    STATUS=124
}
# close_and_expect_one LABEL [SECONDS]: the window closed as a window manager does it.
close_and_expect_one() {
    "$E2E_CLOSE" "$WINDOW"
    wait_exit "${2:-5}"
    [ "$STATUS" = 1 ] && pass "$1: close ends with status 1" || fail "$1: status $STATUS after close"
    no_x_errors
}

# Keys go through XTEST to the focused window, as a keyboard's would: chained after
# windowfocus, xdotool would send them to the window directly, and SDL ignores those.
click_at() { xdotool mousemove --window "$WINDOW" "$1" "$2" click "${3:-1}"; }
keys() { xdotool windowfocus --sync "$WINDOW"; xdotool "$@"; }
key() { keys key "$@"; }

# shot NAME: a PNG of the game window; mean_of PNG [GEOMETRY]: its mean brightness 0..1.
shot() { import -window "$WINDOW" "$E2E_TMP/$1.png" 2>/dev/null; echo "$E2E_TMP/$1.png"; }
mean_of() { convert "$1" ${2:+-crop "$2" +repage} -colorspace gray -format '%[fx:mean]' info:; }
# green_pixels PNG GEOMETRY: how many clearly green pixels (the HUD's colour) it holds.
green_pixels() { convert "$1" -crop "$2" +repage -fx 'g>0.6 && r<0.3 && b<0.3 ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:; }
# same_crop A B GEOMETRY: true when the rectangle is identical in both pictures.
same_crop() { [ "$(compare -metric AE -crop "$3" "$1" "$2" null: 2>&1 >/dev/null | cut -d' ' -f1)" = 0 ]; }
gt() { awk -v a="$1" -v b="$2" 'BEGIN{exit !(a>b)}'; }
no_x_errors() {
    ! grep -qiE 'X Error|BadWindow|XIO|fatal IO' "$E2E_TMP/game.err" || { fail "X errors on stderr"; cat "$E2E_TMP/game.err"; }
}

# wait_until SECONDS TEST...: polls TEST (every POLL seconds) until it holds, or fails after
# SECONDS; sets WAITED.
wait_until() {
    local limit=$1 start
    start=$(date +%s%N)
    shift
    until "$@"; do
        [ $(($(date +%s%N) - start)) -lt $((limit * 1000000000)) ] || return 1
        sleep "${POLL:-0.25}"
    done
    WAITED=$(awk -v n="$(date +%s%N)" -v s="$start" 'BEGIN{printf "%.1f", (n-s)/1e9}')
}
# menu_shown: New Game and the HUD (never in the intro) on screen.
menu_shown() {
    local s
    s=$(shot poll)
    gt "$(mean_of "$s" 130x60+255+150)" 0.25 && [ "$(green_pixels "$s" 420x36+0+0)" -gt 100 ]
}
# playing: no menu, and the band below the HUD black: the camera at rest, where input counts.
playing() { ! menu_shown && ! gt "$(mean_of "$(shot poll)" 640x40+0+48)" 0.02; }
