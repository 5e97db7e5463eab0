#!/usr/bin/env bash
# run-benchmarks.sh [BUILD_DIR]: every benchmark of the game against the bare SDL window,
# on a private Xvfb with Mesa's software renderer, written up as bench/RESULTS.md.
#
# Builds BUILD_DIR (default build-bench, RelWithDebInfo) if needed, then measures:
#   - time from exec to the first presented frame: bench_bare_window against
#     bench_first_frame (the game's own start-up and first pass, which shows the intro's first picture), RUNS of each,
#     alternating, medians;
#   - peak RSS (/usr/bin/time -v): the bare window, the bare window with one textured quad,
#     the game's start-up, and the real game playing for a minute (bench/play-minute.sh);
#   - one drawFrame + swap of the worst field (bench_frame on X), logic and readers
#     (bench_logic), font building (bench_fonts), frame pacing of the real loop
#     (bench_pacing, 1000 frames).
# Run it on a quiet machine: every figure is wall time. RUNS (default 21) and
# PLAY_RUNS (default 3) can be set in the environment.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
build=${1:-build-bench}
runs=${RUNS:-21}
playRuns=${PLAY_RUNS:-3}
out=bench/RESULTS.md
tmp=$(mktemp -d /tmp/fendwall-bench-XXXXXX)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

if [ ! -x "$build/bench/bench_pacing" ] || [ ! -x "$build/fendwall" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
cmake --build "$build" -j"$(nproc)" --target fendwall x11_close_window bench_logic bench_fonts bench_frame \
    bench_bare_window bench_first_frame bench_launch bench_pacing >/dev/null || exit 1
b=$build/bench

# A display of our own, never the developer's.
for n in $(seq 150 199); do
    { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
    xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && break
    kill "$xvfb" 2>/dev/null
    xvfb=""
done
[ -n "$xvfb" ] || { echo "cannot start Xvfb"; exit 1; }
# The games' remembered window is the benchmark's own: it opens 640 x 480 and changes nothing of yours.
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11 XDG_CONFIG_HOME="$tmp/config"
loadBefore=$(cut -d' ' -f1-3 /proc/loadavg)

median() { sort -g | awk '{v[NR]=$1} END{if (NR==0) print "?"; else if (NR%2) print v[(NR+1)/2]; else printf "%.3f\n", (v[NR/2]+v[NR/2+1])/2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (b+0 == 0) print "?"; else printf "%.2f", a/b }'; }
peakKb() { /usr/bin/time -v -o "$tmp/time.log" "$@" >/dev/null 2>&1; awk -F: '/Maximum resident set size/{gsub(/ /,"",$2); print $2}' "$tmp/time.log"; }
# gbench NAME: the time and unit of NAME's row in the console output in $tmp/gbench.txt.
gbench() { awk -v n="$1" '$1 == n {print $2, $3; exit}' "$tmp/gbench.txt"; }
within() { awk -v v="$1" -v lim="$2" 'BEGIN{ print (v+0 <= lim+0) ? "yes" : "**no**" }'; }

echo "warming up (disk and shader caches)"
for _ in 1 2 3; do
    "$b/bench_launch" "$b/bench_bare_window" >/dev/null
    "$b/bench_launch" "$b/bench_first_frame" >/dev/null
done
renderer=$("$b/bench_bare_window" | sed -n 's/^renderer //p')

echo "time to first frame: $runs runs each"
: >"$tmp/ttff.bare"
: >"$tmp/ttff.game"
for _ in $(seq "$runs"); do
    "$b/bench_launch" "$b/bench_bare_window" | awk '/^ttff-ms/{print $2}' >>"$tmp/ttff.bare"
    "$b/bench_launch" "$b/bench_first_frame" | awk '/^ttff-ms/{print $2}' >>"$tmp/ttff.game"
done
ttffBare=$(median <"$tmp/ttff.bare")
ttffGame=$(median <"$tmp/ttff.game")
ttffBareMin=$(sort -g "$tmp/ttff.bare" | head -1)
ttffGameMin=$(sort -g "$tmp/ttff.game" | head -1)

echo "peak RSS"
: >"$tmp/rss.bare"
: >"$tmp/rss.textured"
: >"$tmp/rss.start"
for _ in 1 2 3 4 5; do
    peakKb "$b/bench_bare_window" >>"$tmp/rss.bare"
    peakKb "$b/bench_bare_window" --textured >>"$tmp/rss.textured"
    peakKb "$b/bench_first_frame" >>"$tmp/rss.start"
done
rssBare=$(median <"$tmp/rss.bare")
rssTextured=$(median <"$tmp/rss.textured")
rssStart=$(median <"$tmp/rss.start")
: >"$tmp/rss.play"
for i in $(seq "$playRuns"); do
    echo "  a minute of play ($i of $playRuns)"
    bash bench/play-minute.sh "$build/fendwall" 60 2>/dev/null | awk '/^peak-rss-kb/{print $2}' >>"$tmp/rss.play"
done
rssPlay=$(median <"$tmp/rss.play")

echo "frame: drawFrame + swap of the worst field"
"$b/bench_frame" --benchmark_repetitions=15 --benchmark_report_aggregates_only=true >"$tmp/gbench.txt" 2>/dev/null
frame=$(cat "$tmp/gbench.txt")
read -r frameMs _ <<<"$(gbench BM_DrawAndSwapGamePicture_median)"
read -r drawMs _ <<<"$(gbench BM_DrawGamePicture_median)"

echo "logic, readers, fonts"
"$b/bench_logic" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true >"$tmp/gbench.txt" 2>/dev/null
logic=$(cat "$tmp/gbench.txt")
"$b/bench_fonts" >"$tmp/gbench.txt" 2>/dev/null
fonts=$(cat "$tmp/gbench.txt")

echo "pacing: 1000 frames of the real loop"
"$b/bench_pacing" --summary >"$tmp/pacing.txt" 2>/dev/null
pacing=$(cat "$tmp/pacing.txt")
loadAfter=$(cut -d' ' -f1-3 /proc/loadavg)

# Microseconds from a "T unit" pair.
us() { awk -v t="$1" -v u="$2" 'BEGIN{ f = (u=="ns") ? 0.001 : (u=="ms") ? 1000 : (u=="s") ? 1e6 : 1; printf "%.2f", t*f }'; }
row() { awk -v n="$1" '$1 == n {print $2, $3; exit}' <<<"$2"; }
read -r t u <<<"$(row BM_LogicFrame20BallsGrowingWall_median "$logic")"; logicUs=$(us "$t" "$u")
read -r t u <<<"$(row BM_WorstCapture_median "$logic")"; captureUs=$(us "$t" "$u")
read -r t u <<<"$(row BM_BallMove20_median "$logic")"; ballsUs=$(us "$t" "$u")
read -r t u <<<"$(row BM_CountSolidCells_median "$logic")"; countUs=$(us "$t" "$u")
read -r t u <<<"$(row BM_DecodeBmp256_median "$logic")"; bmpUs=$(us "$t" "$u")
read -r t u <<<"$(row BM_DecodeTga256_median "$logic")"; tgaUs=$(us "$t" "$u")
read -r t u <<<"$(row BM_CreateAndDeleteFonts/repeats:9_median "$fonts")"; fontsUs=$(us "$t" "$u")
read -r t u <<<"$(row BM_PrintHeadsUpLine/repeats:5_median "$fonts")"; hudUs=$(us "$t" "$u")
read -r _ tMin _ tMed _ tP99 _ tMax <<<"$(sed -n 's/^tick-period-ms //p' <<<"$pacing")"
read -r _ sMin _ sMed _ sP99 _ sMax <<<"$(sed -n 's/^swap-period-ms //p' <<<"$pacing")"
read -r _ periods _ atLeast30 _ ticksUnder31 _ swapsUnder31 _ _ <<<"$(grep '^periods ' <<<"$pacing")"

ttffRatio=$(ratio "$ttffGame" "$ttffBare")
rssRatio=$(ratio "$rssPlay" "$rssBare")
cpu=$(awk -F: '/model name/{sub(/^ */,"",$2); print $2; exit}' /proc/cpuinfo)
ram=$(awk '/MemTotal/{printf "%.1f GiB", $2/1048576}' /proc/meminfo)
pct31=$(awk -v a="$ticksUnder31" -v n="$periods" 'BEGIN{ printf "%.1f", 100*a/n }')
pctSwap31=$(awk -v a="$swapsUnder31" -v n="$periods" 'BEGIN{ printf "%.1f", 100*a/n }')

{
cat <<EOF
# Benchmark results

Written by \`bench/run-benchmarks.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC').

- Machine: $(nproc) cores, $cpu, $ram RAM; $(uname -sr)
- GL renderer: $renderer, on Xvfb (1024 x 768 x 24)
- Load average (1, 5, 15 min): $loadBefore before, $loadAfter after
- Build: \`$build\` (RelWithDebInfo: -O2 -g)

## Against the bare window

The bare window (\`bench/bare_window.cpp\`) opens a 640 x 480 OpenGL window with the game's own
SDL calls and attributes, clears it, swaps once and exits. The game side is its own
start-up and first pass (\`bench/first_frame.cpp\`: \`startUp()\`, one \`runMainPass()\`: the intro's first picture, with
the swap wrapped to take the time) and the real \`fendwall\` played for a minute.

| Figure | Bare window | Game | Ratio | Target | Reached |
|---|---:|---:|---:|---:|:---:|
| Time from exec to first presented frame, median of $runs (ms) | $ttffBare | $ttffGame | $ttffRatio | ≤ 1.25 | $(within "$ttffRatio" 1.25) |
| Same, fastest run (ms) | $ttffBareMin | $ttffGameMin | $(ratio "$ttffGameMin" "$ttffBareMin") | | |
| Peak RSS, a minute of play, median of $playRuns (MB) | $(awk -v k="$rssBare" 'BEGIN{printf "%.1f", k/1024}') | $(awk -v k="$rssPlay" 'BEGIN{printf "%.1f", k/1024}') | $rssRatio | ≤ 1.2 | $(within "$rssRatio" 1.2) |
| Peak RSS, start-up and first frame only (MB) | | $(awk -v k="$rssStart" 'BEGIN{printf "%.1f", k/1024}') | $(ratio "$rssStart" "$rssBare") | | |
| Peak RSS, bare window with one textured quad (MB) | $(awk -v k="$rssTextured" 'BEGIN{printf "%.1f", k/1024}') | | $(ratio "$rssTextured" "$rssBare") | | |

## Frame and logic

| Figure | Median | Target | Reached |
|---|---:|---:|:---:|
| drawFrame + swap, worst field (checkerboard, 20 balls), wall time with the swap finished (ms) | $frameMs | < 3 | $(awk -v v="$frameMs" 'BEGIN{ print (v+0 < 3) ? "yes" : "**no**" }') |
| drawFrame alone, same field, finished (ms) | $drawMs | | |
| One frame of game logic, 20 balls, growing wall (µs) | $logicUs | < 20 | $(awk -v v="$logicUs" 'BEGIN{ print (v+0 < 20) ? "yes" : "**no**" }') |
| Worst-case capture (µs) | $captureUs | < 100 | $(awk -v v="$captureUs" 'BEGIN{ print (v+0 < 100) ? "yes" : "**no**" }') |
| Ball motion, 20 balls (µs) | $ballsUs | | |
| Solid count (µs) | $countUs | | |
| BMP reader, 256 x 256 x 24 (µs) | $bmpUs | | |
| TGA reader, 256 x 256 x 32 (µs) | $tgaUs | | |
| Building both fonts (µs) | $fontsUs | | |
| The four heads-up texts, drawn and finished (µs) | $hudUs | | |

## Frame pacing of the real loop

$periods frame periods of \`bench_pacing\`: the real start-up, the intro played out, New Game
through the menu's button, 20 balls, a wall started every 20 frames (walls grow, break and
capture). \`frameStartTicks\` is the game's own millisecond clock; the swap periods are
CLOCK_MONOTONIC between successive buffer swaps, what the player sees.

| Period | Min | Median | 99th percentile | Max |
|---|---:|---:|---:|---:|
| Between frame starts, game ticks (ms) | $tMin | $tMed | $tP99 | $tMax |
| Between swaps, monotonic clock (ms) | $sMin | $sMed | $sP99 | $sMax |

Every period at least 30 ms (ticks): $atLeast30 of $periods. Under 31 ms: $ticksUnder31 of
$periods by the game's ticks ($pct31 %), $swapsUnder31 of $periods between swaps ($pctSwap31 %).
Target: all at least 30, 99 % under 31.

## How these were measured

\`\`\`sh
bench/run-benchmarks.sh $build     # this page; RUNS=$runs PLAY_RUNS=$playRuns
# time to first frame, one run each:
$b/bench_launch $b/bench_bare_window
$b/bench_launch $b/bench_first_frame
# peak RSS:
/usr/bin/time -v $b/bench_bare_window [--textured]
/usr/bin/time -v $b/bench_first_frame
bench/play-minute.sh $build/fendwall 60     # the real game under /usr/bin/time -v
# frame, logic, readers, fonts, pacing:
SDL_VIDEODRIVER=x11 $b/bench_frame --benchmark_repetitions=15 --benchmark_report_aggregates_only=true
$b/bench_logic --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
$b/bench_fonts
$b/bench_pacing --summary
\`\`\`

All with SDL_AUDIODRIVER=dummy on a private Xvfb, from the repository root.

### Raw output

\`\`\`
$(cat "$tmp/pacing.txt")

time to first frame, bare (ms): $(sort -g "$tmp/ttff.bare" | tr '\n' ' ')
time to first frame, game (ms): $(sort -g "$tmp/ttff.game" | tr '\n' ' ')
peak RSS (KB): bare $(tr '\n' ' ' <"$tmp/rss.bare")| textured $(tr '\n' ' ' <"$tmp/rss.textured")| start-up $(tr '\n' ' ' <"$tmp/rss.start")| play $(tr '\n' ' ' <"$tmp/rss.play")
\`\`\`

\`\`\`
$frame
$logic
$fonts
\`\`\`
EOF
} >"$out.new"
# The standing analysis of the figures (profiles, what was changed, what cannot be reached).
if [ -f bench/analysis.md ]; then { echo; cat bench/analysis.md; } >>"$out.new"; fi
mv "$out.new" "$out"
echo "wrote $out"
