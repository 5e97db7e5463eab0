#!/usr/bin/env bash
# layers_test.sh: the layer check itself still catches files that include each other in a
# loop, and still passes a tree without one; run on a tiny tree of its own, not the game's.
set -euo pipefail
check=$(cd "$(dirname "$0")/.." && pwd)/scripts/check-layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{platform,core,game,media,render,ui,app}
cd "$tree"
printf '#pragma once\n' | tee core/a.h core/b.h core/c.h >/dev/null
printf '#include "core/a.h"\n#include "core/b.h"\n' >core/a.cpp  # its own header is no loop
printf '#include "core/c.h"\n' >core/b.cpp
printf '#include "core/a.h"\n' >core/c.cpp
failed=0
expect() {  # expect WANT_RC WANT_TEXT: run the check and compare
    local rc=0 out
    out=$(bash "$check" "$tree" 2>&1) || rc=$?
    if [ "$rc" != "$1" ] || ! grep -qF -- "$2" <<<"$out"; then
        echo "FAIL: wanted exit $1 and '$2', got exit $rc:"; echo "$out"; failed=1
    fi
}
expect 1 "core/a -> core/b -> core/c -> core/a"
printf '\n' >core/c.cpp  # the loop broken
expect 0 "no files include each other in a loop"
printf '#include "b.h"\n' >core/c.h  # a loop through a header beside it
expect 1 "core/b -> core/c -> core/b"
[ "$failed" = 0 ] && echo "layers_test: loops caught, a tree without one passes"
exit "$failed"
