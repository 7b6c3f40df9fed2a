#!/usr/bin/env bash
# Start-up of Orvane against Wine's own notepad, under the build's own Wine.
#   bench/run-startup-bench.sh BUILD_DIR
# Prints figures; timing never fails the run.
set -u
build_dir=$(cd "${1:?usage: bench/run-startup-bench.sh BUILD_DIR}" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
exe="$build_dir/bench/orvane_startup_bench.exe"
[ -f "$exe" ] && [ -f "$build_dir/Orvane.exe" ] || { echo "build Orvane and orvane_startup_bench first" >&2; exit 2; }
unset DISPLAY
# The default printer: without one, Orvane starts with a report box that
# would take the keys and the first paint.
"$repo/scripts/cups.sh" >/dev/null || exit 2
# shellcheck source=../scripts/wine-env.sh
source "$repo/scripts/wine-env.sh" "$build_dir"
orvane_wine_start || { echo "Wine did not start" >&2; orvane_wine_stop; exit 2; }
# A folder of its own, so no settings file of another run is read.
work=$(mktemp -d)
cp "$build_dir/Orvane.exe" "$work/"
log=$(mktemp)
(cd "$work" && orvane_wine "$exe" 'C:\windows\notepad.exe' Orvane.exe) >"$log" 2>&1
cat "$log"
rm -rf "$work" "$log"
orvane_wine_stop
exit 0
