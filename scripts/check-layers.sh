#!/usr/bin/env bash
# check-layers.sh [ROOT]: every include of the game's own headers points down the layers
# (or stays in its folder), so no two folders can include each other. Prints each
# offending line and fails on any.
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
[ "$bad" = 0 ] && echo "layers: every include points down (${layers[*]})"
exit "$bad"
