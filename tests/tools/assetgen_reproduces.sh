#!/usr/bin/env bash
# assetgen_reproduces.sh GENERATOR REPO_ROOT: the files in data/ are generated. This re-runs
# the generator into a scratch folder and fails if any file differs from, or is missing in,
# the committed data/. Whether the game reads them right is for the game's own tests, which
# load these very files.
set -uo pipefail
gen="$1" root="$2" tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=()
fail() { failures+=("$1"); }
"$gen" "$tmp" || { echo "FAIL: $gen exited with an error" >&2; exit 1; }

while IFS= read -r -d '' f; do
    rel="${f#"$tmp"/}"
    cmp -s "$f" "$root/data/$rel" || fail "differs from the generator's output or is missing: data/$rel"
done < <(find "$tmp" -type f -print0 | sort -z)

if [ "${#failures[@]}" != 0 ]; then
    printf 'FAIL: %s\n' "${failures[@]}" "(re-run fendwall-assetgen into data/ if the generator changed on purpose)" >&2
    exit 1
fi
echo "assetgen output matches data/ ($(find "$tmp" -type f | wc -l) files)"
