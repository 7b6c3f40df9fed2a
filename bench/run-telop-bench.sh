#!/usr/bin/env bash
# Runs orvane_telop_bench under the build's own Wine and X server: the real
# Orvane.exe drifts in telop mode for 10 s; prints its CPU time and moves.
#   bench/run-telop-bench.sh BUILD_DIR
# Timing never fails the run; only a missing program or Wine does.
set -u
# shellcheck source=../scripts/runner.sh
source "$(dirname "$0")/../scripts/runner.sh"
build_dir=$(orvane_build_folder "${1:-}" "usage: bench/run-telop-bench.sh BUILD_DIR") || exit 2
exe="$build_dir/bench/orvane_telop_bench.exe"
[ -f "$exe" ] || { echo "no $exe: build the orvane_telop_bench target first" >&2; exit 2; }
[ -f "$build_dir/Orvane.exe" ] || { echo "no $build_dir/Orvane.exe: build the Orvane target first" >&2; exit 2; }
orvane_need_printer
orvane_bench_run "$build_dir"
orvane_wine "$exe" "$(orvane_wine winepath -w "$build_dir/Orvane.exe" 2>/dev/null)" >"$orvane_log" 2>&1
status=$?
cat "$orvane_log"
[ "$status" -eq 0 ] || echo "orvane_telop_bench ended with status $status" >&2
exit 0
