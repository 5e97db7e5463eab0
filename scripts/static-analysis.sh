#!/usr/bin/env bash
# static-analysis.sh [BUILD_DIR]: clang-tidy (checks in .clang-tidy) and cppcheck over the
# game's own sources; any finding fails. Needs a configured build for compile_commands.json.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json: configure first"; exit 1; }
sources=$(ls platform/*/*.cpp core/*.cpp game/*.cpp media/*.cpp render/*.cpp ui/*.cpp app/*.cpp)
status=0

echo "clang-tidy on $(echo "$sources" | wc -w) files"
# shellcheck disable=SC2086
printf '%s\n' $sources | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null \
    | grep -E '(warning|error):' -A3 > "$build/clang-tidy.log"
if [ -s "$build/clang-tidy.log" ]; then cat "$build/clang-tidy.log"; status=1; fi

echo "cppcheck"
# The SDL and scripted platform files define the same opaque types on purpose: a program
# links one side or the other, never both.
# shellcheck disable=SC2086
cppcheck --enable=warning,performance,portability --inline-suppr --error-exitcode=1 --quiet \
    --std=c++20 -I . -I "$build/generated" --suppress=missingIncludeSystem --suppress=ctuOneDefinitionRuleViolation \
    $sources || status=1

[ $status = 0 ] && echo "static analysis: no findings"
exit $status
