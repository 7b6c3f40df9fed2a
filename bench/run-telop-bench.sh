#!/usr/bin/env bash
# Runs orvane_telop_bench under the build's own Wine and X server: the real
# Orvane.exe drifts in telop mode for 10 s; prints its CPU time and moves.
#   bench/run-telop-bench.sh BUILD_DIR
# Timing never fails the run; only a missing program or Wine does.
set -u
build_dir=${1:?usage: bench/run-telop-bench.sh BUILD_DIR}
repo=$(cd "$(dirname "$0")/.." && pwd)
exe="$build_dir/bench/orvane_telop_bench.exe"
[ -f "$exe" ] || { echo "no $exe: build the orvane_telop_bench target first" >&2; exit 2; }
[ -f "$build_dir/Orvane.exe" ] || { echo "no $build_dir/Orvane.exe: build the Orvane target first" >&2; exit 2; }
# Our own Xvfb and virtual desktop, never someone else's display.
unset DISPLAY
# The default printer: without one, Orvane starts with a report box that
# would take the keys and the first paint.
"$repo/scripts/cups.sh" >/dev/null || exit 2
# shellcheck source=../scripts/wine-env.sh
source "$repo/scripts/wine-env.sh" "$build_dir"
orvane_wine_start || { echo "Wine did not start" >&2; orvane_wine_stop; exit 2; }
# Wine reports its own errors on stderr; the figures go to stdout. Output goes
# through a file: Wine's service processes would hold a pipe open.
log=$(mktemp)
orvane_wine "$exe" "$(orvane_wine winepath -w "$build_dir/Orvane.exe" 2>/dev/null)" >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
orvane_wine_stop
[ "$status" -eq 0 ] || echo "orvane_telop_bench ended with status $status" >&2
exit 0
