#!/usr/bin/env bash
# Runs the end-to-end tests under Wine: tests/e2e/run-e2e.sh BUILD_DIR [gtest options]
# Two passes: the no-printer tests with CUPS out of reach, then all the others
# with the default PDF printer (scripts/cups.sh). Exit code: 0 when both pass.
set -u
# shellcheck source=../../scripts/runner.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/runner.sh"
build=$(orvane_build_folder "${1:-}" "usage: run-e2e.sh BUILD_DIR [gtest options]") || exit 2
shift
exe="$build/orvane_e2e.exe"
[ -f "$exe" ] || { echo "run-e2e.sh: $exe not built" >&2; exit 2; }
orvane_run run-e2e.sh "$build"

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
    "$@" --gtest_output="xml:e2e-$passes.xml") >"$orvane_log" 2>&1
  rc=$?
  cat "$orvane_log"
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
# The printing tests read their printouts where the PDF printer writes them.
pdf_folder=$(orvane_pdf_folder)
# FaultRun.* is the Windows half of tests/faults/run-faults.sh and runs there.
pass "with the default printer" ORVANE_E2E_PRINTER=default ORVANE_E2E_PDF_FOLDER="$pdf_folder" -- \
  --gtest_filter='-NoPrinter.*:FaultRun.*' "$@" || status=1

echo "== end-to-end: $([ $status -eq 0 ] && echo PASSED || echo FAILED)"
exit $status
