#!/usr/bin/env bash
# make-pattern-seeds.sh: writes the pattern fuzzer's seed files into corpus/pattern, all
# small and our own: a complete picture, comments and empty lines, CR LF line ends, short
# lines and a short file, hexadecimal and octal values, a line longer than one read.
# Run once; the results are committed.
set -euo pipefail
cd "$(dirname "$0")"
out=corpus/pattern
mkdir -p "$out"

# row VALUE...: one data line of 30 values, the given ones first, the rest 0.
row() {
    local values=("$@") j line=""
    for j in $(seq 0 29); do line+="${values[$j]:-0} "; done
    echo "${line% }"
}
# A frame: the top and bottom rows solid, the sides solid, a diagonal inside.
frame() {
    local k j line
    for k in $(seq 0 29); do
        line=""
        for j in $(seq 0 29); do
            if [ "$k" = 0 ] || [ "$k" = 29 ] || [ "$j" = 0 ] || [ "$j" = 29 ] || [ "$j" = "$k" ]; then line+="1 "
            else line+="0 "; fi
        done
        echo "${line% }"
    done
}

frame > "$out/valid.dat"
lines() { sed -n "$1,$2p" "$out/valid.dat"; }
{ echo "// a title"; echo; echo "/another comment"; lines 1 15
  echo; echo "// between the rows"; echo " / a blank first: not a comment"; lines 16 29; } > "$out/comments.dat"
sed 's/$/\r/' "$out/valid.dat" > "$out/crlf.dat"
{ lines 1 10; row 1 1 1; echo "1"; lines 13 30; } > "$out/short-lines.dat"
lines 1 7 > "$out/short-file.dat"
for k in $(seq 0 29); do row 0x1 01 010 0X1f -1 +1 0777 0x7fffffff 2147483648 -0x10 00; done > "$out/hex-octal.dat"
{ printf '1 %.0s' $(seq 300); echo; lines 2 30; } > "$out/long-line.dat"
printf '/\n\n/\n1 2 3\n' > "$out/comments-only.dat"
