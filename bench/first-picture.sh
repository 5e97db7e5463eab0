#!/usr/bin/env bash
# first-picture.sh BUILD_DIR [RUNS] [OTHER_TREE]: the time from exec to the first picture
# shown, the bare SDL window beside the game's own start-up and first pass (bench_launch on
# bench_bare_window and bench_first_frame), RUNS (default 15) of each, alternating, medians;
# with the game's first frame step alone (drawing, and any wait before the picture). With
# OTHER_TREE, the same benchmark built in OTHER_TREE/BUILD_DIR runs in the same loop from its
# own root, for a before and after. Run from anywhere; each game runs from its tree's root.
set -euo pipefail
build=${1:?usage: first-picture.sh BUILD_DIR [RUNS] [OTHER_TREE]}
runs=${2:-15}
other=${3:-}
cd "$(dirname "$0")/.."
here=$(pwd)
. bench/lib.sh

median() { sort -g | awk '{v[NR]=$1} END{if (NR==0) print "?"; else if (NR%2) print v[(NR+1)/2]; else printf "%.3f\n", (v[NR/2]+v[NR/2+1])/2}'; }
# run TREE NAME PROGRAM: one launch, its two figures appended to $tmp/NAME.ttff and .step
run() {
    (cd "$1" && "$1/$build/bench/bench_launch" "$1/$build/bench/$3") >"$tmp/out"
    awk '/^ttff-ms/{print $2}' "$tmp/out" >>"$tmp/$2.ttff"
    awk '/^first-step-ms/{print $2}' "$tmp/out" >>"$tmp/$2.step"
}
sides=(bare this)
[ -n "$other" ] && sides+=(other)
for _ in 1 2; do run "$here" warm bench_first_frame; done  # disk and shader caches
for _ in $(seq "$runs"); do
    run "$here" bare bench_bare_window
    run "$here" this bench_first_frame
    [ -z "$other" ] || run "$(cd "$other" && pwd)" other bench_first_frame
done
echo "medians of $runs runs (ms), ${sides[*]}:"
echo "  exec to first picture: $(for s in "${sides[@]}"; do printf '%s ' "$(median <"$tmp/$s.ttff")"; done)"
echo "  first frame step:      $(for s in "${sides[@]:1}"; do printf '%s ' "$(median <"$tmp/$s.step")"; done)"
