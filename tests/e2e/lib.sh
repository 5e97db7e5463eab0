# lib.sh: shared pieces of the end-to-end tests: a private Xvfb, the game under it,
# real X input, screenshots and the exit status.
set -u
E2E_BIN=${1:?usage: test.sh FENDWALL_BINARY REPO_ROOT}
E2E_ROOT=${2:?usage: test.sh FENDWALL_BINARY REPO_ROOT}
E2E_CLOSE="$(dirname "$E2E_BIN")/tests/x11_close_window"
[ -x "$E2E_CLOSE" ] || E2E_CLOSE="$(dirname "$E2E_BIN")/x11_close_window"
E2E_TMP=$(mktemp -d /tmp/fendwall-e2e-XXXXXX)
E2E_FAILS=0
GAME_PID=""
XVFB_PID=""

e2e_cleanup() {
    [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*"; E2E_FAILS=$((E2E_FAILS + 1)); }
pass() { echo "ok: $*"; }

# A display of our own, so tests never touch the developer's screen.
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
    done
    echo "cannot start Xvfb"; exit 1
}

# start_game [DIR [PROGRAM]]: runs the game (or PROGRAM) with DIR (default the repo root)
# as working directory.
start_game() {
    local dir=${1:-$E2E_ROOT} program=${2:-$E2E_BIN}
    (cd "$dir" && SDL_AUDIODRIVER=${E2E_AUDIODRIVER:-dummy} exec "$program" >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err") &
    GAME_PID=$!
    WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
    if [ -z "$WINDOW" ]; then
        fail "no visible game window"; cat "$E2E_TMP/game.err"; return 1
    fi
}

# wait_exit SECONDS: waits for the game to end; sets STATUS (124 on timeout).
wait_exit() {
    local limit=$1 i
    for i in $(seq $((limit * 10))); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"; STATUS=$?; GAME_PID=""; return 0
        fi
        sleep 0.1
    done
    STATUS=124
}

# Mouse and keys as a player's: real X events into the game window.
click_at() { xdotool mousemove --window "$WINDOW" "$1" "$2" click "${3:-1}"; }
move_to() { xdotool mousemove --window "$WINDOW" "$1" "$2"; }
# Keys go through XTEST to the focused window, as a keyboard's would.
# (Two calls: chained after windowfocus, xdotool would send to the window directly, and
# SDL ignores such synthetic events.)
key() { xdotool windowfocus --sync "$WINDOW"; xdotool key "$@"; }
keydown() { xdotool windowfocus --sync "$WINDOW"; xdotool keydown "$@"; }
keyup() { xdotool windowfocus --sync "$WINDOW"; xdotool keyup "$@"; }
close_window() { "$E2E_CLOSE" "$WINDOW"; }

# shot NAME: a PNG of the game window.
shot() { import -window "$WINDOW" "$E2E_TMP/$1.png" 2>/dev/null; echo "$E2E_TMP/$1.png"; }

# mean_of PNG [GEOMETRY]: mean brightness 0..1 of the picture or a crop of it.
mean_of() {
    local crop=()
    [ -n "${2:-}" ] && crop=(-crop "$2" +repage)
    convert "$1" "${crop[@]}" -colorspace gray -format '%[fx:mean]' info:
}

no_x_errors() {
    if grep -qiE 'X Error|BadWindow|XIO|fatal IO' "$E2E_TMP/game.err"; then
        fail "X errors on stderr"; cat "$E2E_TMP/game.err"
    fi
}

finish() {
    if [ "$E2E_FAILS" -gt 0 ]; then echo "$E2E_FAILS check(s) failed"; exit 1; fi
    echo "all checks passed"; exit 0
}

# crop_mean PNG X Y W H: mean brightness of a rectangle.
crop_mean() { mean_of "$1" "${4}x${5}+${2}+${3}"; }

# green_pixels PNG X Y W H: how many clearly green pixels (the HUD's colour) the rectangle has.
green_pixels() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fx 'g>0.6 && r<0.3 && b<0.3 ? 1 : 0' \
        -format '%[fx:round(mean*w*h)]' info:
}

# same_crop A B X Y W H: true when the rectangle is identical in both pictures.
same_crop() {
    local d
    d=$(compare -metric AE -crop "${5}x${6}+${3}+${4}" "$1" "$2" null: 2>&1 >/dev/null)
    [ "${d%% *}" = 0 ]
}

# gt A B: float comparison A > B.
gt() { awk -v a="$1" -v b="$2" 'BEGIN{exit !(a>b)}'; }

# wait_for_menu SECONDS: until the New Game button shows; sets MENU_AFTER (seconds waited).
wait_for_menu() {
    local start s
    start=$(date +%s%N)
    while [ $(( ($(date +%s%N) - start) / 1000000000 )) -lt "$1" ]; do
        s=$(shot poll)
        # The HUD is only in game pictures, never in the intro.
        if gt "$(crop_mean "$s" 255 150 130 60)" 0.25 && [ "$(green_pixels "$s" 0 0 420 36)" -gt 100 ]; then
            MENU_AFTER=$(awk -v n="$(date +%s%N)" -v s="$start" 'BEGIN{printf "%.1f", (n-s)/1e9}'); return 0
        fi
        sleep 0.25
    done
    return 1
}
