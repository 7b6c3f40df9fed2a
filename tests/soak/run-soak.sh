#!/usr/bin/env bash
# Runs the soak under the build's own Wine, with the PDF printer as the default:
#   tests/soak/run-soak.sh BUILD_DIR [--seed=S] [--actions=N] [--prints=N]
# Exit code: the soak's (0 when every check held).
set -u
build=$(cd "${1:?usage: run-soak.sh BUILD_DIR [soak options]}" && pwd) || exit 2
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
exe="$build/orvane_soak.exe"
[ -f "$exe" ] || { echo "run-soak.sh: $exe not built" >&2; exit 2; }

# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$build"
orvane_wine_join run-soak.sh || exit 2
log=$(mktemp)
cleanup() {
  rm -f "$log"
  orvane_wine_stop
}
trap cleanup EXIT

# Where the PDF printer writes, as run-e2e.sh finds it.
pdf_home=$(getent passwd "$(id -un)" | cut -d: -f6)
pdf_out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
pdf_folder=${pdf_out:-'${HOME}/PDF'}
pdf_folder=${pdf_folder//'${HOME}'/$pdf_home}

# Output through a file: Wine's service processes would hold a pipe open.
# The timeout ends a hung run; the seed is printed first.
(cd "$build" && env ORVANE_E2E_PDF_FOLDER="$pdf_folder" HOME="$ORVANE_WINE_HOME" \
  timeout "${ORVANE_SOAK_TIMEOUT:-1200}" "$orvane_wine_bin" "$exe" "$@") >"$log" 2>&1
rc=$?
cat "$log"
# Xlib's own report: the process it came from has ended, whether or not the
# soak took the end for an asked one.
x_error=no
grep -q '^X Error of failed request' "$log" && x_error=yes
if [ $rc -eq 0 ] && [ $x_error = yes ]; then
  echo "soak: FAILED: a process of the run ended on an X error (above; the seed is at the top)"
  rc=1
elif [ $rc -eq 124 ]; then
  echo "soak: FAILED: timed out (the seed is above)"
elif [ $rc -ne 0 ] && ! grep -q '^soak: FAILED' "$log"; then
  # As when a wineserver is stopped under it.
  echo "soak: FAILED: the soak itself ended with code $rc, without a report (the seed is above)"
elif [ $rc -ne 0 ] && [ $x_error = yes ]; then
  # The program ends on one with code 0, which reads as a close or a failed start.
  echo "soak: a process of the run ended on an X error (above): the likely cause of the failure"
fi
exit $rc
