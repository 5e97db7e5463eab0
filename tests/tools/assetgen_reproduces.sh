#!/usr/bin/env bash
# assetgen_reproduces.sh GENERATOR REPO_ROOT
# The files in data/ are generated; this re-runs the generator into a scratch folder and
# fails if any file it writes differs from, or is missing in, the committed data/. It
# also checks that the pictures and patterns have the layout the game's loaders read.
set -uo pipefail
gen="$1"
root="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=()
fail() { failures+=("$1"); }

if ! "$gen" "$tmp"; then
    echo "FAIL: $gen exited with an error" >&2
    exit 1
fi

# Byte-for-byte equality with the committed files.
while IFS= read -r -d '' f; do
    rel="${f#"$tmp"/}"
    if [ ! -f "$root/data/$rel" ]; then
        fail "missing in data/: $rel"
    elif ! cmp -s "$f" "$root/data/$rel"; then
        fail "differs from the generator's output: data/$rel"
    fi
done < <(find "$tmp" -type f -print0 | sort -z)

# Everything the game loads must be among the generated files.
textures=(weiss.bmp grund2.bmp wand_blau_gruen.bmp grund4.bmp ball_low.bmp hori.bmp vert.bmp
          menu.bmp menu_new.bmp menu_resume.bmp menu_exit.bmp streifen.tga streifen2.tga logo.tga)
for t in "${textures[@]}"; do [ -f "$tmp/texturen/$t" ] || fail "not generated: texturen/$t"; done
for p in fend.dat over.dat; do [ -f "$tmp/$p" ] || fail "not generated: $p"; done
for i in fendwall-48.png fendwall-256.png; do [ -f "$tmp/icons/$i" ] || fail "not generated: icons/$i"; done

u8() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
u16() { od -An -tu2 -j "$2" -N2 --endian=little "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 --endian=little "$1" | tr -d ' '; }
size() { stat -c %s "$1"; }
pow2() { local v="$1"; [ "$v" -gt 0 ] && [ $((v & (v - 1))) -eq 0 ]; }

# Patterns: after comments and empty lines, 30 lines of 30 values 0/1 with a solid border.
for p in fend.dat over.dat; do
    f="$tmp/$p"
    [ -f "$f" ] || continue
    [ "$(head -c1 "$f")" = "/" ] || fail "$p: does not start with a comment"
    problem="$(grep -v -e '^/' -e '^$' "$f" | awk '
        function bad(why) { print why; failed = 1; exit }
        { if (NF != 30) bad("line " NR " has " NF " values")
          for (i = 1; i <= 30; i++) {
            if ($i != "0" && $i != "1") bad("line " NR " value " i " is " $i)
            if ((NR == 1 || NR == 30 || i == 1 || i == 30) && $i != "1") bad("border open at line " NR " value " i)
            solid += $i } }
        END { if (failed) exit
              if (NR != 30) print NR " data lines"
              else if (solid < 116 + 60 || solid > 500) print solid " solid cells" }')"
    [ -z "$problem" ] || fail "$p: $problem"
done

# BMPs: 14 + 40 byte headers, 24 bits, uncompressed, bottom-up, power-of-two sizes.
for t in "${textures[@]}"; do
    f="$tmp/texturen/$t"
    [ -f "$f" ] || continue
    case "$t" in
    *.bmp)
        w="$(u32 "$f" 18)"; h="$(u32 "$f" 22)"
        [ "$(head -c2 "$f")" = "BM" ] || fail "$t: no BM signature"
        if ! { [ "$(u32 "$f" 10)" = 54 ] && [ "$(u32 "$f" 14)" = 40 ]; }; then
            fail "$t: not a 40-byte info header at 54"
        fi
        if ! { [ "$(u16 "$f" 28)" = 24 ] && [ "$(u32 "$f" 30)" = 0 ]; }; then
            fail "$t: not 24-bit uncompressed"
        fi
        if ! { pow2 "$w" && pow2 "$h"; }; then
            fail "$t: $w x $h is not a power-of-two size (or is top-down)"
        fi
        if ! { [ "$(size "$f")" = $((54 + w * h * 3)) ] && [ "$(u32 "$f" 2)" = "$(size "$f")" ]; }; then
            fail "$t: file size does not match $w x $h"
        fi
        ;;
    *.tga)
        hdr="$(od -An -tx1 -N12 "$f" | tr -d ' \n')"
        [ "$hdr" = 000002000000000000000000 ] || fail "$t: header $hdr is not the uncompressed true-colour template"
        w="$(u16 "$f" 12)"; h="$(u16 "$f" 14)"; bpp="$(u8 "$f" 16)"; desc="$(u8 "$f" 17)"
        [ "$bpp" = 24 ] || [ "$bpp" = 32 ] || fail "$t: $bpp bits per pixel"
        if ! { pow2 "$w" && pow2 "$h"; }; then fail "$t: $w x $h is not a power-of-two size"; fi
        [ $((desc & 0x20)) = 0 ] || fail "$t: rows stored top first"
        [ "$(size "$f")" = $((18 + w * h * bpp / 8)) ] || fail "$t: file size does not match $w x $h x $bpp"
        ;;
    esac
done

# Icons: PNG signature and the size in the name.
for px in 48 256; do
    f="$tmp/icons/fendwall-$px.png"
    [ -f "$f" ] || continue
    [ "$(od -An -tx1 -N8 "$f" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "fendwall-$px.png: not a PNG"
    dims="$(od -An -tu1 -j16 -N8 "$f" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')"
    [ "$dims" = "${px}x${px}" ] || fail "fendwall-$px.png: size $dims"
done

if [ "${#failures[@]}" -gt 0 ]; then
    printf 'FAIL: %s\n' "${failures[@]}" >&2
    echo "(re-run tools' fendwall-assetgen into data/ if the generator changed on purpose)" >&2
    exit 1
fi
echo "assetgen output matches data/ ($(find "$tmp" -type f | wc -l) files)"
