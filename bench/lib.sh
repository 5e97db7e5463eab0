# lib.sh: sourced by the benchmark scripts: a 1920 x 1080 Xvfb of their own with a window
# manager (which carries out full screen), and the game brought to its menu or into play.
# Sets DISPLAY, SDL_AUDIODRIVER, XDG_CONFIG_HOME (a private folder) and $tmp.
tmp=$(mktemp -d)
for n in $(seq 150 199); do [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$tmp"' EXIT
export DISPLAY=":$n" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$tmp/config"
until xdpyinfo >/dev/null 2>&1; do kill -0 $xvfb || exit 1; sleep 0.1; done
openbox >/dev/null 2>&1 &
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do sleep 0.1; done

# screen X Y: where the 640 x 480 screen's point lies in $window, which letterboxes it.
screen() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$1" -v y="$2" 'BEGIN{
        s = (w / 640 < h / 480) ? w / 640 : h / 480
        printf "%d %d", int((w - 640 * s) / 2 + x * s), int((h - 480 * s) / 2 + y * s)}'
}

# start_game BUILD MODE: the game (--window or --fullscreen), its intro skipped; sets $pid, $window.
start_game() {
    "$1/fendwall" "$2" >/dev/null 2>&1 &
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --pid $pid | head -n 1)
    sleep 1
    xdotool windowfocus --sync "$window" key Escape
    sleep 1
}

# play SECONDS: New Game, then a wall started every second at changing cells for SECONDS,
# in the background, so the field and the capture work too.
play() {
    xdotool mousemove --window "$window" $(screen 320 179) click 1
    sleep 3
    ( for i in $(seq "$1"); do
          xdotool mousemove --window "$window" $(screen $((100 + (i * 37) % 440)) $((100 + (i * 53) % 300))) click 1
          sleep 1
      done ) >/dev/null 2>&1 &
}
