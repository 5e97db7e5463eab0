#!/usr/bin/env bash
# make-seeds.sh: writes the fuzzers' seed pictures into corpus/bmp and corpus/tga, all
# tiny and all our own: ImageMagick's writers plus hand-laid headers for the layouts it
# does not write (RLE4, bit fields, top-down, packed DIB, core header). Run once; the
# results are committed.
set -euo pipefail
cd "$(dirname "$0")"
bmp=corpus/bmp
tga=corpus/tga
mkdir -p "$bmp" "$tga"

# A small picture with a few colours and an edge.
src=$(mktemp --suffix=.png)
trap 'rm -f "$src"' EXIT
convert -size 7x5 gradient:red-blue -fill yellow -draw 'point 1,1' -draw 'point 5,3' PNG24:"$src"

convert "$src" -type truecolor BMP3:"$bmp/rgb24.bmp"
convert "$src" -type truecolor BMP2:"$bmp/core24.bmp"
convert "$src" -colors 6 -type palette BMP3:"$bmp/pal4.bmp"
convert -size 3x20 gradient:black-orange -type palette BMP3:"$bmp/pal8.bmp"
convert "$src" -colors 40 -type palette -compress RLE BMP3:"$bmp/rle8.bmp"
convert "$src" -monochrome BMP3:"$bmp/pal1.bmp"
convert "$src" -monochrome BMP2:"$bmp/core1.bmp"
convert "$src" -type truecolor BMP:"$bmp/v5.bmp"

# Little-endian fields for the hand-laid files.
u16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
u32() { u16 $(($1 & 65535)); u16 $((($1 >> 16) & 65535)); }
# file header (offset) + info header: width height bits compression colours-used
bm() { printf 'BM'; u32 0; u32 0; u32 "$1"; }
info() { u32 40; u32 "$1"; u32 "$2"; u16 1; u16 "$3"; u32 "$4"; u32 0; u32 0; u32 0; u32 "$5"; u32 0; }

# RLE4, 4 x 3: a run, an absolute run, a delta, end of line, end of bitmap.
{ bm $((54 + 8)); info 4 3 4 2 2; u32 0x000000ff; u32 0x0000ff00
  printf '\x04\x01\x00\x00\x00\x03\x12\x30\x00\x02\x01\x01\x02\x10\x00\x01'; } > "$bmp/rle4.bmp"
# 16-bit 5-6-5 bit fields, 2 x 2.
{ bm $((54 + 12)); info 2 2 16 3 0; u32 0xf800; u32 0x07e0; u32 0x001f
  printf '\x00\xf8\xe0\x07\x1f\x00\xff\xff'; } > "$bmp/rgb16-565.bmp"
# 16-bit default 5-5-5, 3 x 1.
{ bm 54; info 3 1 16 0 0; printf '\x00\x7c\xe0\x03\x1f\x00\x00\x00'; } > "$bmp/rgb16.bmp"
# 32-bit bit fields in an odd order, 2 x 1.
{ bm $((54 + 12)); info 2 1 32 3 0; u32 0x0000ff00; u32 0xff000000; u32 0x000000ff
  printf '\x01\x02\x03\x04\x05\x06\x07\x08'; } > "$bmp/rgb32bf.bmp"
# 24-bit top-down, 2 x 2.
{ bm 54; info 2 -2 24 0 0; printf '\x00\x00\xff\x00\xff\x00\x00\x00\xff\x00\x00\xff\x00\x00\x00\x00'; } > "$bmp/topdown.bmp"
# Packed DIB, 8 bits, two colours used, 3 x 2.
{ info 3 2 8 0 2; u32 0x00ff0000; u32 0x000000ff; printf '\x00\x01\x00\x00\x01\x00\x01\x00'; } > "$bmp/packed8.bmp"
# Core header, 4 bits, 3-byte palette entries, 2 x 1.
{ bm $((26 + 48)); u32 12; u16 2; u16 1; u16 1; u16 4
  for i in $(seq 0 15); do printf "\\x$(printf %02x $((i * 16)))\\x00\\x$(printf %02x $((255 - i * 16)))"; done
  printf '\x1f\x00\x00\x00'; } > "$bmp/core4.bmp"

convert "$src" -alpha off -type truecolor -compress none TGA:"$tga/rgb24.tga"
convert "$src" -alpha set -channel A -fx 'i/w' +channel -compress none TGA:"$tga/rgba32.tga"
convert "$src" -alpha off -type truecolor -compress RLE TGA:"$tga/rle24.tga"
convert "$src" -colors 8 -type palette -compress none TGA:"$tga/colourmap.tga"
# 2 x 1 with a top-left descriptor and a trailing footer.
{ printf '\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x01\x00\x18\x20'
  printf '\x01\x02\x03\x04\x05\x06TRUEVISION-XFILE.\x00'; } > "$tga/topleft24.tga"
