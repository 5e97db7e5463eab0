#!/usr/bin/env bash
# compare-pictures.sh REV [GAME-OPTION...]: every frame of every golden game as this tree's
# game draws it and as revision REV's did, compared pixel by pixel (the frame-rate corner
# aside). For a change that must leave every picture as it was. Options after REV (say
# --fullscreen) go to both games. Needs a built build/fendwall; REV is built in a scratch
# worktree. Exit 0 when every frame of every game is the same. The games draw on SDL's
# offscreen driver, whose full screen is 1024 x 768; with COMPARE_VIDEODRIVER=x11 they draw
# on the display in DISPLAY instead (a 1920 x 1080 Xvfb with a window manager gives the
# player's full screen).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rev=${1:?usage: compare-pictures.sh REV [GAME-OPTION...]}
shift
work=$(mktemp -d)
trap 'git -C "$root" worktree remove --force "$work/old" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
gcc -shared -fPIC -O2 -o "$work/pixhash.so" "$root/tools/pixhash/pixhash.c" -ldl -lGL
git -C "$root" worktree add --detach "$work/old" "$rev" >/dev/null 2>&1
cmake -S "$work/old" -B "$work/old/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENDWALL_BENCH=OFF >/dev/null
cmake --build "$work/old/build" -j"$(nproc)" --target fendwall >/dev/null
status=0
for game in "$root"/tests/golden/*.fwrec; do
    name=$(basename "$game" .fwrec)
    for side in old new; do
        tree=$root
        [ "$side" = old ] && tree=$work/old
        (cd "$tree" && PIXHASH_OUT="$work/$side-$name" SDL_VIDEODRIVER="${COMPARE_VIDEODRIVER:-offscreen}" LD_PRELOAD="$work/pixhash.so" \
            ./build/fendwall "$@" --timedemo "$game" >/dev/null 2>&1) || true
    done
    frames=$(wc -l <"$work/new-$name")
    # A recording newer than REV's game (a later format) cannot be compared: REV refuses it.
    if [ ! -s "$work/old-$name" ] && [ "$frames" -gt 0 ]; then
        echo "$name: $frames frames here; $rev cannot play this recording, nothing to compare"
        continue
    fi
    if [ "$frames" -gt 0 ] && cmp -s "$work/old-$name" "$work/new-$name"; then
        echo "$name: $frames frames from $(head -1 "$work/new-$name" | cut -d' ' -f1), every picture the same"
    else
        differ=$(diff <(nl -ba "$work/old-$name") <(nl -ba "$work/new-$name") | awk '/^</ {print $2}' || true)
        echo "$name: $frames frames here, $(wc -l <"$work/old-$name") at $rev; $(wc -w <<<"$differ") pictures differ, from frame $(head -1 <<<"$differ")"
        status=1
    fi
done
exit $status
