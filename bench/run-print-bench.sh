#!/usr/bin/env bash
# Runs orvane_print_bench under the build's own Wine and X server against the
# default PDF printer (scripts/cups.sh): the whole-line fit, then a 20-page job.
#   bench/run-print-bench.sh BUILD_DIR
# Timing never fails the run; only a missing program or Wine does.
set -u
build_dir=${1:?usage: bench/run-print-bench.sh BUILD_DIR}
repo=$(cd "$(dirname "$0")/.." && pwd)
exe="$build_dir/bench/orvane_print_bench.exe"
[ -f "$exe" ] || { echo "no $exe: build the orvane_print_bench target first" >&2; exit 2; }
[ -f "$build_dir/Orvane.exe" ] || { echo "no $build_dir/Orvane.exe: build the Orvane target first" >&2; exit 2; }
# Where cups-pdf writes: "Out" in its configuration, ${HOME} the job owner's home.
pdf_home=$(getent passwd "$(id -un)" | cut -d: -f6)
pdf_out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
pdf_folder=${pdf_out:-'${HOME}/PDF'}
pdf_folder=${pdf_folder//'${HOME}'/$pdf_home}
mkdir -p "$pdf_folder"
# Our own Xvfb and virtual desktop, never someone else's display.
unset DISPLAY
# The default printer: without one, Orvane starts with a report box that
# would take the keys and the first paint.
"$repo/scripts/cups.sh" >/dev/null || exit 2
# shellcheck source=../scripts/wine-env.sh
source "$repo/scripts/wine-env.sh" "$build_dir"
orvane_wine_start || { echo "Wine did not start" >&2; orvane_wine_stop; exit 2; }
# Output goes through a file: Wine's service processes would hold a pipe open.
log=$(mktemp)
orvane_wine "$exe" "$(orvane_wine winepath -w "$build_dir/Orvane.exe" 2>/dev/null)" "Z:${pdf_folder//\//\\}" >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
orvane_wine_stop
[ "$status" -eq 0 ] || echo "orvane_print_bench ended with status $status" >&2
exit 0
