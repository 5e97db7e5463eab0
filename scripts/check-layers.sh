#!/usr/bin/env bash
# check-layers.sh [ROOT]: every include of the game's own headers points down the layers
# (or stays in its folder), so no two folders can include each other; and the few rules
# that keep calls pointing down too: SDL only behind the seam, frames run only from app/,
# drawing handed what it draws, read-only. Prints each offending line and fails on any.
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root"
layers=(platform core game media render ui app)
rank() {
    local i
    for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
    echo -1
}
bad=0
for folder in "${layers[@]}"; do
    own=$(rank "$folder")
    while IFS=: read -r file line text; do
        target=$(sed -E 's/^#include "([a-z_]+)\/.*/\1/' <<<"$text")
        [ "$target" = "$text" ] && continue  # a header beside it, or a system one
        to=$(rank "$target")
        if [ "$to" -lt 0 ] || [ "$to" -gt "$own" ]; then
            echo "$file:$line: $folder/ may not include $target/: $text"
            bad=1
        fi
        # The two sides of the seam never see each other: each stands alone behind it.
        if [[ $file == platform/sdl/* && $text == *platform/scripted/* ]] ||
           [[ $file == platform/scripted/* && $text == *platform/sdl/* ]]; then
            echo "$file:$line: the seam's sides include each other: $text"
            bad=1
        fi
    done < <(grep -rnE '^#include "' "$folder" --include='*.h' --include='*.cpp' --include='*.in' || true)
done
# A fact found where it may not be: file:line and why.
forbid() {
    local why=$1 pattern=$2
    shift 2
    local hits
    hits=$(grep -rnE "$pattern" "$@" --include='*.h' --include='*.cpp' || true)
    if [ -n "$hits" ]; then
        sed "s|\$|   <- $why|" <<<"$hits"
        bad=1
    fi
}
forbid "SDL belongs behind the seam, in platform/sdl/" '#include <SDL' core game media render ui app
forbid "only app/ runs frames: below it a step says what happened" '\b(stepFrame|runMainPass|runMainLoop|stepPhase|swapFrameBuffers|pumpOneMessage)\b' core game media render ui
forbid "the rules neither draw nor play" '#include <(GL/|SDL)' core game
forbid "the input is handed to each step by app/: nothing below it reads the global input" '\bgInput\b' core game media render ui
forbid "drawing is handed the records it draws, and does not reach for the globals" '\b(gGame|gFlow)\b' render ui
forbid "drawing reads the game's records, never writes them" '[(,] *(Game|Playfield|BallSet|GameSession|Ball) *&' render

[ "$bad" = 0 ] && echo "layers: every include points down (${layers[*]}); SDL behind the seam; frames run from app/; input handed down from app/; drawing reads only"
exit "$bad"
