#!/usr/bin/env bash
# Start-up of Orvane against Wine's own notepad, under the build's own Wine.
#   bench/run-startup-bench.sh BUILD_DIR
# Prints figures; timing never fails the run.
set -u
# shellcheck source=../scripts/runner.sh
source "$(dirname "$0")/../scripts/runner.sh"
build_dir=$(orvane_build_folder "${1:-}" "usage: bench/run-startup-bench.sh BUILD_DIR") || exit 2
exe="$build_dir/bench/orvane_startup_bench.exe"
[ -f "$exe" ] && [ -f "$build_dir/Orvane.exe" ] || { echo "build Orvane and orvane_startup_bench first" >&2; exit 2; }
orvane_need_printer
orvane_bench_run "$build_dir"
# A folder of its own, so no settings file of another run is read.
work=$(mktemp -d)
orvane_cleanup() { rm -rf "$work"; }
cp "$build_dir/Orvane.exe" "$work/"
(cd "$work" && orvane_wine "$exe" 'C:\windows\notepad.exe' Orvane.exe) >"$orvane_log" 2>&1
cat "$orvane_log"
exit 0
