#!/usr/bin/env bash
# timedemo.sh BUILD_DIR [RECORDING] [RUNS]: --timedemo of a recorded game (default the longest
# golden game) in the 640 x 480 window and in full screen on a 1920 x 1080 display, each beside
# the bare SDL window clearing and swapping the same size without a wait, in one run under its
# own Xvfb (with a window manager, which carries out full screen) on Mesa's software renderer.
# Prints a Markdown table of the medians of RUNS (default 3) and the raw lines.
set -euo pipefail
build=${1:?usage: timedemo.sh BUILD_DIR [RECORDING] [RUNS]}
cd "$(dirname "$0")/.."
# The longest golden game: the one whose last line names the highest frame.
recording=${2:-$(for f in tests/golden/*.fwrec; do echo "$(tail -n 1 "$f" | cut -d' ' -f1) $f"; done | sort -n | tail -n 1 | cut -d' ' -f2)}
runs=${3:-3}
for n in $(seq 150 199); do [ -e "/tmp/.X$n-lock" ] || break; done
Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d)
trap 'kill $xvfb $wm 2>/dev/null; rm -rf "$XDG_CONFIG_HOME"' EXIT
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
median() { sort -g | awk '{v[NR]=$1} END{print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
raw=""
row() {  # LABEL ARGS...: the game's mean and fps, and the bare window's mean, medians of $runs
    local label=$1 mean="" fps="" bare="" line
    shift
    for _ in $(seq "$runs"); do
        line=$("$build/fendwall" "$@" --timedemo "$recording" | grep '^timedemo: .* ms mean')
        raw+="$label: $line"$'\n'
        mean+="$(sed -E 's/.*: ([0-9.]+) ms mean.*/\1/' <<<"$line")"$'\n'
        fps+="$(sed -E 's/.* ([0-9.]+) frames per second/\1/' <<<"$line")"$'\n'
        line=$("$build/bench/bench_bare_window" --frames "$(sed -E 's/^timedemo: ([0-9]+) frames.*/\1/' <<<"$line")" \
               $([ "$#" -gt 0 ] && echo --fullscreen) | grep '^bare-frames')
        raw+="$label: $line"$'\n'
        bare+="$(sed -E 's/.*: ([0-9.]+) ms per frame/\1/' <<<"$line")"$'\n'
    done
    printf '| %s | %s | %s | %s |\n' "$label" "$(median <<<"${mean%$'\n'}")" "$(median <<<"${fps%$'\n'}")" \
        "$(median <<<"${bare%$'\n'}")"
}
echo "Recording: \`$recording\`; $runs runs of each, medians; load average before: $(cut -d' ' -f1-3 /proc/loadavg)."
echo
echo "| Where | Game, ms per frame (mean) | Game, frames per second | Bare window, clear + swap, ms per frame |"
echo "|---|---:|---:|---:|"
row "640 x 480 window"
row "full screen, 1920 x 1080" --fullscreen
echo
echo '```'
printf '%s' "$raw"
echo '```'
