#!/usr/bin/env bash
# assetgen_reproduces.sh GENERATOR REPO_ROOT: the files in data/ are generated. This re-runs
# the generator into a scratch folder and fails if any file differs from, or is missing in,
# the committed data/, or if a file the game loads lacks the layout its loader reads.
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

u() { od -An -tu"$3" -j "$2" -N"$3" --endian=little "$1" | tr -d ' '; }
pow2() { [ "$1" -gt 0 ] && [ $(($1 & ($1 - 1))) -eq 0 ]; }
# Pictures: GL 1.1 takes power-of-two sizes only; BMPs plain 24-bit bottom-up after a
# 54-byte header, TGAs uncompressed true colour, bottom row first.
for t in weiss grund2 wand_blau_gruen grund4 ball_low hori vert menu menu_new menu_resume menu_exit; do
    f="$tmp/texturen/$t.bmp"
    [ -f "$f" ] || { fail "not generated: texturen/$t.bmp"; continue; }
    w=$(u "$f" 18 4) h=$(u "$f" 22 4)
    layout="$(head -c2 "$f")$(u "$f" 10 4)/$(u "$f" 14 4)/$(u "$f" 28 2)/$(u "$f" 30 4)"
    [ "$layout" = "BM54/40/24/0" ] || fail "$t.bmp: not a plain 24-bit BMP"
    pow2 "$w" && pow2 "$h" && [ "$(stat -c %s "$f")" = $((54 + w * h * 3)) ] || fail "$t.bmp: $w x $h, top-down or not powers of 2"
done
for t in streifen streifen2 logo; do
    f="$tmp/texturen/$t.tga"
    [ -f "$f" ] || { fail "not generated: texturen/$t.tga"; continue; }
    w=$(u "$f" 12 2) h=$(u "$f" 14 2) bpp=$(u "$f" 16 1)
    [ "$(od -An -tx1 -N12 "$f" | tr -d ' \n')" = 000002000000000000000000 ] || fail "$t.tga: not uncompressed true colour"
    [ $(($(u "$f" 17 1) & 0x20)) = 0 ] || fail "$t.tga: rows stored top first"
    pow2 "$w" && pow2 "$h" && [ "$(stat -c %s "$f")" = $((18 + w * h * bpp / 8)) ] || fail "$t.tga: $w x $h x $bpp"
done
# Patterns: after comments and empty lines, 30 lines of 30 values 0/1 with a solid border.
for p in fend.dat over.dat; do
    problem=$(grep -v -e '^/' -e '^$' "$tmp/$p" 2>/dev/null | awk '
        { if (NF != 30) { print "line " NR " has " NF " values"; exit }
          for (i = 1; i <= 30; i++) {
              edge = NR == 1 || NR == 30 || i == 1 || i == 30
              if (($i != "0" && $i != "1") || (edge && $i != "1")) { print "line " NR " value " i; exit } } }
        END { if (NR != 30) print NR " data lines" }')
    [ -z "$problem" ] || fail "$p: $problem"
done

if [ "${#failures[@]}" != 0 ]; then
    printf 'FAIL: %s\n' "${failures[@]}" "(re-run fendwall-assetgen into data/ if the generator changed on purpose)" >&2
    exit 1
fi
echo "assetgen output matches data/ ($(find "$tmp" -type f | wc -l) files)"
