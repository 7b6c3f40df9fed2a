#!/usr/bin/env bash
# Runs orvane_bench under the build's own Wine and X server and prints its figures.
#   bench/run-bench.sh BUILD_DIR
# Timing never fails the run; only a missing program or Wine does.
set -u
build_dir=${1:?usage: bench/run-bench.sh BUILD_DIR}
repo=$(cd "$(dirname "$0")/.." && pwd)
exe="$build_dir/bench/orvane_bench.exe"
[ -f "$exe" ] || { echo "no $exe: build the orvane_bench target first" >&2; exit 2; }
# Our own Xvfb and virtual desktop, never someone else's display.
unset DISPLAY
# shellcheck source=../scripts/wine-env.sh
source "$repo/scripts/wine-env.sh" "$build_dir"
orvane_wine_start || { echo "Wine did not start" >&2; orvane_wine_stop; exit 2; }
# Wine reports its own errors on stderr; the figures go to stdout.
orvane_wine "$exe"
status=$?
orvane_wine_stop
[ "$status" -eq 0 ] || echo "orvane_bench ended with status $status" >&2
exit 0
