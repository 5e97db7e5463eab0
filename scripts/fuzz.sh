#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the fuzz targets of the picture, pattern, recording, settings and user-dirs readers with clang
# in build-fuzz (or $FUZZ_BUILD_DIR) and runs each for SECONDS (default 30), one after the
# other on one core, over a fresh copy of its seed corpus, so the committed seeds are never
# written to. Fails on any crash, leak or sanitizer report; the offending input is left in
# fuzz-artifacts/ in the build folder.
set -euo pipefail
seconds="${1:-30}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DFENDWALL_FUZZ=ON -DFENDWALL_BENCH=OFF -DFENDWALL_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target fuzz_bmp fuzz_tga fuzz_pattern fuzz_recording fuzz_settings fuzz_user_dirs

mkdir -p "$build/fuzz-artifacts"
for target in bmp tga pattern recording settings user_dirs; do
  corpus="$build/fuzz-corpus/$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$root/tests/fuzz/corpus/$target/"* "$corpus/"
  echo "== fuzz_$target for ${seconds}s"
  # -rss_limit_mb: the largest picture allowed (16384 x 16384 x 3 bytes) fits beside ASan.
  log="$build/fuzz-$target.log"
  status=0
  "$build/tests/fuzz/fuzz_$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=3072 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" >"$log" 2>&1 || status=$?
  if [ "$status" != 0 ]; then
    tail -n 60 "$log" >&2
    echo "fuzz_$target failed (exit $status): see $log and $build/fuzz-artifacts" >&2
    exit 1
  fi
  grep -E "DONE +cov|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" "$log"
done
echo "fuzzing passed"
