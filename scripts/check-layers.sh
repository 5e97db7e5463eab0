#!/usr/bin/env bash
# check-layers.sh [ROOT]: every include of the game's own headers points down the layers
# (or stays in its folder), so no two folders can include each other; and the few rules
# that keep calls pointing down too: SDL only behind the seam, frames run only from app/,
# drawing handed what it draws, read-only. And no files include each other in a loop, in
# one folder either: a header and its .cpp are one unit, and the units' includes must
# form no cycle. Prints each offending line (or loop) and fails on any.
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root"
layers=(platform core game media render ui app)
# Ranks looked up in bash, not in a subshell per include: the check runs in every test pass.
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done
bad=0
for folder in "${layers[@]}"; do
    own=${rank[$folder]}
    while IFS=: read -r file line text; do
        [[ $text =~ ^#include\ \"([a-z_]+)/ ]] || continue  # a header beside it, or a system one
        target=${BASH_REMATCH[1]}
        to=${rank[$target]:--1}
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
forbid "only app/ runs frames: below it a step says what happened" '\b(stepFrame|runMainPass|runMainLoop|stepPhase|swapFrameBuffers|takeOneMessage|endFrameStep)\b' core game media render ui
forbid "the rules neither draw nor play" '#include <(GL/|SDL)' core game
forbid "the input is handed to each step by app/: nothing below it reads the global input" '\bgInput\b' core game media render ui
forbid "drawing is handed the records it draws, and does not reach for the globals" '\b(gGame|gFlow)\b' render ui
forbid "where the picture lies in the window is render/'s to know: ask it" '\bgRender\b' app ui
forbid "no callbacks: below app/ nothing holds a function to call back up" 'std::function|\(\* *[A-Za-z_]*\) *\(' core game media render ui
forbid "drawing reads the game's records, never writes them" '[(,] *(Game|Playfield|BallSet|GameSession|Ball) *&' render

# Every global record is put back between tests (a global they forget carries one test's game
# into the next) and is on the map of the code, where a reader looks for it.
resets=tests/support/globals.cpp
map=docs/ARCHITECTURE.md
if [ -f "$resets" ] && [ -f "$map" ]; then
    while IFS=: read -r file line name; do
        grep -qE "^ *$name = \{\};" "$resets" || { echo "$file:$line: $name   <- not put back by resetGlobals ($resets)"; bad=1; }
        grep -qw "$name" "$map" || { echo "$file:$line: $name   <- a global the map of the code does not name ($map)"; bad=1; }
    done < <(grep -rnoE '^extern [A-Za-z]+ g[A-Za-z]+;' "${layers[@]}" --include='*.h' | sed -E 's/extern [A-Za-z]+ (g[A-Za-z]+);/\1/')
fi

# Loops between units. Ranks keep folders apart, but inside a folder (or through the seam's
# sub-folders) two files may still need each other, and then neither can be read, built or
# tested alone. A unit is a header with its .cpp (and core/version.h.in is unit version);
# X depends on Y when X.h or X.cpp includes Y.h. First: each include as "from to file line".
edges() {
    { grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${layers[@]}" \
          --include='*.h' --include='*.cpp' --include='*.in' 2>/dev/null || true; } |
    awk -v layers="${layers[*]}" '
        function unit(path) { sub(/\.in$/, "", path); sub(/\.[^.\/]*$/, "", path); return path }
        BEGIN { n = split(layers, l, " "); for (i = 1; i <= n; i++) layer[l[i]] = 1 }
        {
            file = $0; sub(/:.*/, "", file)
            rest = substr($0, length(file) + 2); line = rest; sub(/:.*/, "", line)
            text = substr(rest, length(line) + 2)
            if (!match(text, /"[^"]+"/)) next
            path = substr(text, RSTART + 1, RLENGTH - 2)
            top = path; sub(/\/.*/, "", top)
            if (!(index(path, "/") && top in layer)) {  # a header beside it: the compiler looks there first
                dir = file; sub(/\/[^\/]*$/, "", dir); path = dir "/" path
                top = path; sub(/\/.*/, "", top)
            }
            from = unit(file); to = unit(path)
            if (top in layer && from != to) printf "%s\t%s\t%s\t%s\t%s\n", from, to, file, line, text
        }'
}
# Then tsort, which names every loop it has to break, its units in order: each is printed with
# the includes that make it.
includes=$(edges)
loops=$(cut -f1,2 <<<"$includes" | tr '\t' ' ' | { tsort 2>&1 >/dev/null || true; } | awk -v all="$includes" '
    BEGIN { n = split(all, rows, "\n"); for (i = 1; i <= n; i++) { split(rows[i], f, "\t"); why[f[1], f[2]] = why[f[1], f[2]] "\n    " f[3] ":" f[4] ": " f[5] } }
    function report(   k, text, evidence) {
        if (!len) return
        for (k = 1; k <= len; k++) { text = text unit[k] " -> "; evidence = evidence why[unit[k], unit[k % len + 1]] }
        print text unit[1] "   <- files that include each other in a loop: none can be read, built or tested alone" evidence
        len = 0
    }
    { sub(/^tsort: /, "") }
    /input contains a loop:$/ { report(); next }
    { unit[++len] = $0 }
    END { report() }')
if [ -n "$loops" ]; then
    echo "$loops"
    bad=1
fi

[ "$bad" = 0 ] && echo "layers: every include points down (${layers[*]}); SDL behind the seam; frames run from app/; input handed down from app/; drawing reads only; render/ alone knows where the picture lies; no callbacks up; every global reset between tests and on the map; no files include each other in a loop"
exit "$bad"
