#!/bin/sh
# Builds every fuzz target with libFuzzer and the sanitizers and runs each for
# a short time from its seeds: the settings file 30 s, the others 12 s each,
# or SECONDS each when given. Prints per target the executions, executions
# per second and corpus size; fails if any target finds a fault.
# Usage: tests/fuzz/run-fuzz.sh BUILD_DIR [SECONDS [TARGET...]]
set -eu

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [SECONDS [TARGET...]]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$1/fuzz"
out=$(cd "$1/fuzz" && pwd)
seconds=${2:-}
[ $# -ge 2 ] && shift 2 || shift $#
targets=${*:-ini values report help bitmap page_plan telop zoom}

make -s -f "$root/tests/fuzz/fuzz.mk" -j2 ROOT="$root" OUT="$out" || exit 1

# The settings file's seeds are the .ini files beside the other targets' folders.
seeds() {
  if [ "$1" = ini ]; then echo "$root"/tests/fuzz/seeds/*.ini; else echo "$root/tests/fuzz/seeds/$1"/*; fi
}

failed=0
for target in $targets; do
  time=${seconds:-$([ "$target" = ini ] && echo 30 || echo 12)}
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  # shellcheck disable=SC2046
  cp $(seeds "$target") "$corpus/"
  log="$out/$target.log"
  status=0
  # Crash reports land in the build folder; a unit slower than 10 s is a hang.
  "$out/${target}_fuzz" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/$target-" "$corpus" >"$log" 2>&1 || status=$?
  stat() { sed -n "s/^stat::$1: *\([0-9]*\).*/\1/p" "$log" | tail -n 1; }
  runs=$(stat number_of_executed_units)
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "fuzz $target: FAILED after ${runs:-?} executions (exit $status); log and crash input in $out" >&2
    failed=1
    continue
  fi
  echo "fuzz $target: ${runs:-?} executions in $time s ($(stat average_exec_per_sec)/s)," \
    "corpus $(ls "$corpus" | wc -l) units ($(ls $(seeds "$target") | wc -l) kept in the repo)"
done
exit $failed
