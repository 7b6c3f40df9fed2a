#!/usr/bin/env bash
# Runs orvane_bench under the build's own Wine and X server and prints its figures.
#   bench/run-bench.sh BUILD_DIR
# Timing never fails the run; only a missing program or Wine does.
set -u
# shellcheck source=../scripts/runner.sh
source "$(dirname "$0")/../scripts/runner.sh"
build_dir=$(orvane_build_folder "${1:-}" "usage: bench/run-bench.sh BUILD_DIR") || exit 2
exe="$build_dir/bench/orvane_bench.exe"
[ -f "$exe" ] || { echo "no $exe: build the orvane_bench target first" >&2; exit 2; }
orvane_bench_run "$build_dir"
# Wine reports its own errors on stderr; the figures go to stdout.
orvane_wine "$exe"
status=$?
[ "$status" -eq 0 ] || echo "orvane_bench ended with status $status" >&2
exit 0
