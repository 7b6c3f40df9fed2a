#!/usr/bin/env bash
# Runs the end-to-end tests under Wine: tests/e2e/run-e2e.sh BUILD_DIR [gtest options]
# Two passes: the no-printer tests with CUPS out of reach, then all the others
# with the default PDF printer (scripts/cups.sh). Exit code: 0 when both pass.
set -u
build=$(cd "${1:?usage: run-e2e.sh BUILD_DIR [gtest options]}" && pwd) || exit 2
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
exe="$build/orvane_e2e.exe"
[ -f "$exe" ] || { echo "run-e2e.sh: $exe not built" >&2; exit 2; }

# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$build"
orvane_wine_join run-e2e.sh || exit 2

log=$(mktemp)
cleanup() {
  rm -f "$log"
  orvane_wine_stop
}
trap cleanup EXIT

# Output goes through a file: Wine's service processes inherit the test's
# stdout and would hold a pipe open after the test has ended.
# Each pass leaves its gtest report in BUILD_DIR/e2e-N.xml for test.sh to count.
rm -f "$build"/e2e-*.xml
passes=0
pass() { # pass TITLE ENV... -- ARGS...: runs the exe, prints its output, returns its code
  local title=$1 envs=() rc; shift
  while [ "$1" != "--" ]; do envs+=("$1"); shift; done; shift
  echo "== $title"
  passes=$((passes + 1))
  # orvane_wine, under a timeout that ends a hung run.
  (cd "$build" && env "${envs[@]}" HOME="$ORVANE_WINE_HOME" timeout 900 "$orvane_wine_bin" "$exe" \
    "$@" --gtest_output="xml:e2e-$passes.xml") >"$log" 2>&1
  rc=$?
  cat "$log"
  [ $rc -eq 124 ] && echo "run-e2e.sh: $title timed out"
  return $rc
}

user_filter=""
for arg in "$@"; do case $arg in --gtest_filter=*) user_filter=${arg#--gtest_filter=} ;; esac; done

status=0
if [ -z "$user_filter" ] || [[ $user_filter == *NoPrinter* ]]; then
  pass "without a printer" CUPS_SERVER=/nonexistent/orvane-e2e/cups.sock ORVANE_E2E_PRINTER=none -- \
    "$@" --gtest_filter='NoPrinter.*' || status=1
fi
# Where the PDF printer writes (cups-pdf: "Out" in its configuration, the job
# owner's home for ${HOME}); the printing tests read their printouts there.
pdf_home=$(getent passwd "$(id -un)" | cut -d: -f6)
pdf_out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
pdf_folder=${pdf_out:-'${HOME}/PDF'}
pdf_folder=${pdf_folder//'${HOME}'/$pdf_home}
# FaultRun.* is the Windows half of tests/faults/run-faults.sh and runs there.
pass "with the default printer" ORVANE_E2E_PRINTER=default ORVANE_E2E_PDF_FOLDER="$pdf_folder" -- \
  --gtest_filter='-NoPrinter.*:FaultRun.*' "$@" || status=1

echo "== end-to-end: $([ $status -eq 0 ] && echo PASSED || echo FAILED)"
exit $status
