#!/usr/bin/env bash
# fuzz-coverage.sh [CORPUS_ROOT]: line coverage that the fuzzers' corpora reach in the
# readers. Builds the fuzz targets with clang's source-based coverage in build-fuzz-cov,
# runs each once over every file of CORPUS_ROOT/bmp, /tga, /pattern, /recording and /settings (default: the
# committed seeds in tests/fuzz/corpus) without fuzzing, and prints llvm-cov's report
# for each reader's source, function by function.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
corpora="$(cd "${1:-$root/tests/fuzz/corpus}" && pwd)"
build="$root/build-fuzz-cov"
flags="-fprofile-instr-generate -fcoverage-mapping"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DFENDWALL_FUZZ=ON -DFENDWALL_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
cmake --build "$build" -j2 --target fuzz_bmp fuzz_tga fuzz_pattern fuzz_recording fuzz_settings >/dev/null

for pair in bmp:media/bmp.cpp tga:media/tga.cpp pattern:game/playfield.cpp recording:core/recording.cpp \
    settings:app/settings_file.cpp; do
  target=${pair%%:*}
  source=${pair#*:}
  profile="$build/$target"
  rm -f "$profile.profraw"
  LLVM_PROFILE_FILE="$profile.profraw" "$build/tests/fuzz/fuzz_$target" -runs=0 "$corpora/$target" \
    >/dev/null 2>&1
  llvm-profdata merge -sparse "$profile.profraw" -o "$profile.profdata"
  echo "== fuzz_$target over $(find "$corpora/$target" -type f | wc -l) inputs: $source"
  llvm-cov report "$build/tests/fuzz/fuzz_$target" -instr-profile="$profile.profdata" -show-functions \
    "$root/$source"
done
