#!/usr/bin/env bash
# assetgen_reproduces.sh GENERATOR REPO_ROOT: the files in data/ are generated. This re-runs
# the generator into a scratch folder and fails if data/ holds anything else: a file that
# differs, is missing, or is not the generator's. Whether the game reads them right is for the
# game's own tests, which load these very files.
set -uo pipefail
gen="$1" root="$2" tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$gen" "$tmp" >/dev/null || { echo "FAIL: $gen exited with an error" >&2; exit 1; }
if ! diff -rq "$tmp" "$root/data" >&2; then
    echo "FAIL: data/ is not the generator's output (re-run fendwall-assetgen into data/ if it changed on purpose)" >&2
    exit 1
fi
echo "assetgen output matches data/ ($(find "$tmp" -type f | wc -l) files)"
