#!/usr/bin/env bash
# contact-sheet.sh [OUT.png] [DATA_DIR]: one PNG showing every picture in data/texturen,
# labelled and enlarged, the two block patterns, and previews of the menu, the intro
# band and the icons at the sizes the game shows them. Needs ImageMagick.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build/contact-sheet.png}"
data="${2:-$root/data}"
tex="$data/texturen"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$(dirname "$out")"

tiles=()
n=0
# tile FILE LABEL: adds an already prepared picture to the sheet.
tile() {
    tiles+=(-label "$2" "$1")
}
# picture NAME: a texture enlarged to fit 256 x 256 (pixels kept sharp), transparent
# parts shown over a checkerboard.
picture() {
    local f="$tex/$1" t="$work/$((n++)).png"
    [ -f "$f" ] || { echo "missing $f" >&2; exit 1; }
    local size
    size="$(identify -format '%wx%h' "${f}[0]")"
    # -auto-orient: this ImageMagick records a TGA's bottom-up row order without
    # applying it; the BMP reader turns rows itself.
    convert "$f" -auto-orient -filter point -resize 256x256 "$t.fg.png"
    local w h
    w="$(identify -format '%w' "$t.fg.png")"
    h="$(identify -format '%h' "$t.fg.png")"
    convert -size "${w}x${h}" pattern:checkerboard -fill '#202020' -colorize 70% \
        "$t.fg.png" -compose over -composite "$t"
    tile "$t" "$1 ($size)"
}

for name in weiss.bmp grund2.bmp wand_blau_gruen.bmp grund4.bmp ball_low.bmp hori.bmp vert.bmp \
            menu.bmp menu_new.bmp menu_resume.bmp menu_exit.bmp streifen.tga streifen2.tga logo.tga; do
    picture "$name"
done

# Block patterns: solid cells light on dark, one 10 x 10 square per cell.
for pat in fend.dat over.dat; do
    t="$work/$((n++)).png"
    { echo P1; echo 30 30; grep -v -e '^/' -e '^$' "$data/$pat" | head -n 30; } > "$t.pbm"
    convert "$t.pbm" -negate -fill '#4ec3b8' -opaque white -fill '#1d2740' -opaque black \
        -filter point -resize 300x300 "$t"
    tile "$t" "$pat (30 x 30 cells)"
done

# The menu window as the game draws it, 150 x 200 pixels, with and without resume.
for withResume in 1 0; do
    t="$work/$((n++)).png"
    args=(-size 150x201 xc:black
          \( "$tex/menu.bmp" -filter triangle -resize '150x200!' \) -geometry +0+0 -composite
          \( "$tex/menu_new.bmp" -filter triangle -resize '150x78!' \) -geometry +0+0 -composite)
    if [ "$withResume" = 1 ]; then
        args+=(\( "$tex/menu_resume.bmp" -filter triangle -resize '150x70!' \) -geometry +0+79 -composite)
    fi
    args+=(\( "$tex/menu_exit.bmp" -filter triangle -resize '150x52!' \) -geometry +0+149 -composite)
    convert "${args[@]}" -filter point -resize 200% "$t"
    tile "$t" "menu on screen (x2), resume $([ "$withResume" = 1 ] && echo shown || echo hidden)"
done

# Intro frames as the game composes them, middle rows of the screen only: the stripes
# slide in from x = 320 (slide 400 .. 0), then the logo shows and the stripes take on
# the colour (c, c, 1, c), c = (fade - 30) / 100, while the logo has alpha (fade + 30) / 100.
bands=()
for frame in "400 130" "200 130" "0 130" "0 90" "0 55"; do
    read -r slide fade <<< "$frame"
    c="$(awk -v f="$fade" 'BEGIN { v = (f - 30) / 100; if (v > 1) v = 1; if (v < 0) v = 0; print v }')"
    la="$(awk -v f="$fade" 'BEGIN { v = (f + 30) / 100; if (v > 1) v = 1; print v }')"
    t="$work/$((n++)).png"
    logo=()
    if [ "$slide" -le 0 ]; then
        logo=(\( "$tex/logo.tga" -auto-orient -filter triangle -resize '191x13!' -channel A -evaluate multiply "$la" +channel \)
              -geometry +224+23 -composite)
    fi
    tint=(-channel "R,G" -evaluate multiply "$c" -channel A -evaluate multiply "$c" +channel)
    convert -size 640x60 xc:black "${logo[@]}" \
        \( "$tex/streifen.tga" -auto-orient -filter triangle -resize '800x40!' "${tint[@]}" \) \
        -geometry "$(printf '%+d%+d' $((-slide - 80)) 10)" -composite \
        \( "$tex/streifen2.tga" -auto-orient -filter triangle -resize '800x40!' "${tint[@]}" \) \
        -geometry "$(printf '%+d%+d' $((slide - 80)) 10)" -composite \
        -filter point -resize 200% "$t"
    bands+=(-label "intro, screen rows 210..270 (x2): slide $slide, fade $fade" "$t")
done

t="$work/$((n++)).png"
convert -size 191x13 xc:black \( "$tex/logo.tga" -auto-orient -filter triangle -resize '191x13!' \) -composite \
    -filter point -resize 400% "$t"
bands+=(-label "logo on black as the game shows it, 191x13 (x4)" "$t")

for icon in fendwall-256.png fendwall-48.png; do
    t="$work/$((n++)).png"
    convert -size 256x256 pattern:checkerboard "$data/icons/$icon" -gravity center -compose over -composite "$t"
    tile "$t" "icons/$icon"
done

# Three montages, so that the wide intro strips do not set the cell size of the others
# (each tile takes three words: -label, text, file). A fixed cell size (never enlarging,
# '>') keeps montage from clipping the last row.
font="$(fc-match -f '%{file}' 'Liberation Sans')"
opts=(-background '#3a3a3a' -fill white -font "$font" -pointsize 13)
montage "${opts[@]}" "${tiles[@]:0:42}" -tile 5x -geometry '256x256>+10+10' "$work/part1.png"
montage "${opts[@]}" "${tiles[@]:42}" -tile 4x -geometry '300x402>+10+10' "$work/part2.png"
montage "${opts[@]}" "${bands[@]}" -tile 1x -geometry '1280x120>+10+10' "$work/part3.png"
convert -background '#3a3a3a' "$work/part1.png" "$work/part2.png" "$work/part3.png" -gravity west -append +repage -depth 8 "$out"
echo "$out"
