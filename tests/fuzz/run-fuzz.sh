#!/bin/sh
# Builds the settings-file fuzz target with the sanitizers and runs it.
# Usage: tests/fuzz/run-fuzz.sh SECONDS BUILD_DIR
set -eu

if [ $# -ne 2 ]; then
  echo "usage: $0 SECONDS BUILD_DIR" >&2
  exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$2/fuzz/corpus"
out=$(cd "$2/fuzz" && pwd)

clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" \
  "$root/tests/fuzz/ini_fuzz.cpp" \
  "$root/src/settings/ini_document.cpp" \
  "$root/src/settings/setting_values.cpp" \
  "$root/src/settings/settings_model.cpp" \
  "$root/src/app/user_error.cpp" \
  "$root/src/display/text_rules.cpp" \
  -o "$out/ini_fuzz"

cp "$root"/tests/fuzz/seeds/* "$out/corpus/"

log="$out/ini_fuzz.log"
status=0
# Crash reports land in the build folder, not the working directory.
"$out/ini_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus" >"$log" 2>&1 || status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
if [ "$status" -ne 0 ]; then
  tail -n 40 "$log" >&2
  echo "fuzz: failed after ${runs:-?} executions (exit $status); log and crash input in $out" >&2
  exit 1
fi
echo "fuzz: ${runs:-?} executions in $seconds s, no failures"
