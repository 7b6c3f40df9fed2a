#!/usr/bin/env bash
# Runs the soak under the build's own Wine, with the PDF printer as the default:
#   tests/soak/run-soak.sh BUILD_DIR [--seed=S] [--actions=N] [--prints=N]
# Exit code: the soak's (0 when every check held).
set -u
# shellcheck source=../../scripts/runner.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/runner.sh"
build=$(orvane_build_folder "${1:-}" "usage: run-soak.sh BUILD_DIR [soak options]") || exit 2
shift
exe="$build/orvane_soak.exe"
[ -f "$exe" ] || { echo "run-soak.sh: $exe not built" >&2; exit 2; }
orvane_run run-soak.sh "$build"

# The timeout ends a hung run; the seed is printed first.
(cd "$build" && env ORVANE_E2E_PDF_FOLDER="$(orvane_pdf_folder)" HOME="$ORVANE_WINE_HOME" \
  timeout "${ORVANE_SOAK_TIMEOUT:-1200}" "$orvane_wine_bin" "$exe" "$@") >"$orvane_log" 2>&1
rc=$?
cat "$orvane_log"
# Xlib's own report: the process it came from has ended, whether or not the
# soak took the end for an asked one.
x_error=no
grep -q '^X Error of failed request' "$orvane_log" && x_error=yes
if [ $rc -eq 0 ] && [ $x_error = yes ]; then
  echo "soak: FAILED: a process of the run ended on an X error (above; the seed is at the top)"
  rc=1
elif [ $rc -eq 124 ]; then
  echo "soak: FAILED: timed out (the seed is above)"
elif [ $rc -ne 0 ] && ! grep -q '^soak: FAILED' "$orvane_log"; then
  # As when a wineserver is stopped under it.
  echo "soak: FAILED: the soak itself ended with code $rc, without a report (the seed is above)"
elif [ $rc -ne 0 ] && [ $x_error = yes ]; then
  # The program ends on one with code 0, which reads as a close or a failed start.
  echo "soak: a process of the run ended on an X error (above): the likely cause of the failure"
fi
exit $rc
