#!/usr/bin/env bash
# profile.sh BUILD_DIR menu|play [--fullscreen] [SECONDS]: where the game's processor time
# goes on Mesa's software renderer. Runs the game under its own Xvfb (1920 x 1080, with a
# window manager), brings it to its menu or into play (a wall started every second), and
# records all its threads with `perf record -g` for SECONDS (default 10). Prints the share
# of each thread, of each library and of the top symbols; llvmpipe's generated shader code
# has no symbols and shows as "[JIT] tid N". The perf data stays in PERF_DATA if that is set.
set -euo pipefail
build=${1:?usage: profile.sh BUILD_DIR menu|play [--fullscreen] [SECONDS]}
where=${2:?usage: profile.sh BUILD_DIR menu|play [--fullscreen] [SECONDS]}
mode=--window
[ "${3:-}" = --fullscreen ] && { mode=--fullscreen; shift; }
seconds=${3:-10}
cd "$(dirname "$0")/.."
. bench/lib.sh
data=${PERF_DATA:-$tmp/perf.data}
start_game "$build" "$mode"
[ "$where" = play ] && play "$seconds"
perf record -q -g -o "$data" -p $pid -- sleep "$seconds" 2>/dev/null
kill $pid 2>/dev/null || true
echo "== $where $mode: by thread"
perf report -i "$data" --no-children --sort comm --stdio 2>/dev/null | grep -E '^ +[0-9]' | head -8
echo "== by library"
perf report -i "$data" --no-children --sort dso --stdio 2>/dev/null | grep -E '^ +[0-9]' | head -12
echo "== top symbols"
perf report -i "$data" --no-children --sort dso,sym --stdio -g none 2>/dev/null | grep -E '^ +[0-9]' | head -25
