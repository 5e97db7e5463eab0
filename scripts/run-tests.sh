#!/usr/bin/env bash
# run-tests.sh: builds the game and runs every test tier, then the same tiers again
# under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzzer briefly.
# FUZZ_SECONDS (default 30) sets how long each fuzzer runs; 0 skips them.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

echo "== build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENDWALL_WERROR=ON >/dev/null
cmake --build build -j"$jobs"

echo "== release build"
# A packager's build type must stay clean too: Release inlines more, and g++ warns on what it inlines.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DFENDWALL_BENCH=OFF -DFENDWALL_WERROR=ON >/dev/null
cmake --build build-release -j"$jobs"

echo "== sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFENDWALL_SANITIZE=ON -DFENDWALL_BENCH=OFF -DFENDWALL_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"

status=0
echo "== static analysis"
bash scripts/static-analysis.sh build || status=1

if [ "${FUZZ_SECONDS:-30}" != 0 ] && [ -f scripts/fuzz.sh ]; then
    echo "== fuzzers"
    bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}" || status=1
fi

echo "== tests under the sanitizers"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# Unit tier: AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer.
ASAN_OPTIONS="detect_leaks=1" \
    bash -c 'cd build-asan && ctest --output-on-failure -j"$0" -L unit' "$jobs" || status=1
# GL tier: the same without leak checking. Mesa's driver is unloaded before the leak
# check runs, so its allocations cannot even be named, let alone told apart from ours;
# the valgrind run of the real game covers leaks with the driver loaded.
ASAN_OPTIONS="detect_leaks=0" \
    bash -c 'cd build-asan && ctest --output-on-failure -j"$0" -L gl' "$jobs" || status=1
unset LSAN_OPTIONS UBSAN_OPTIONS

echo "== all tests"
(cd build && ctest --output-on-failure -j"$jobs") || status=1
exit $status
