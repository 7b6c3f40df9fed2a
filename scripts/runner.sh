# shellcheck shell=bash
# Sourced first by the scripts that run the tests or the benchmarks under the
# build's own Wine (scripts/wine-env.sh):
#   source "$(dirname "${BASH_SOURCE[0]}")/../scripts/runner.sh"
#   build=$(orvane_build_folder "${1:-}" "usage: ...") || exit 2
#   orvane_run NAME "$build"        # a test run
#   orvane_bench_run "$build"       # a benchmark
# Afterwards $orvane_log is a file for a Windows program's output: Wine's
# service processes inherit the output and would hold a pipe open. At the
# script's exit the file goes, orvane_cleanup runs if the script defines one,
# and what this run started of Wine stops.

orvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
orvane_log=""

# The build folder as an absolute path; without one, the usage and code 2.
orvane_build_folder() { # orvane_build_folder DIR USAGE
  [ -n "$1" ] && (cd "$1" && pwd) && return 0
  echo "$2" >&2
  return 2
}

# Where the PDF printer writes: cups-pdf's "Out" in its configuration, the job
# owner's home for ${HOME}.
# shellcheck disable=SC2016 # ${HOME} as the configuration writes it
orvane_pdf_folder() {
  local home out folder
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
  folder=${out:-'${HOME}/PDF'}
  echo "${folder//'${HOME}'/$home}"
}

# The default printer, set up: without one, Orvane starts with a report box
# that would take the keys and the first paint. Ends the script when it fails.
orvane_need_printer() {
  "$orvane_root/scripts/cups.sh" >/dev/null || exit 2
}

orvane_at_exit() {
  if declare -F orvane_cleanup >/dev/null; then orvane_cleanup; fi
  [ -z "$orvane_log" ] || rm -f "$orvane_log"
  orvane_wine_stop
}

# A test run's Wine: started, or joined where another run already serves the
# prefix. NAME says who could not start it; the script ends with code 2.
orvane_run() { # orvane_run NAME BUILD_DIR
  # shellcheck source=wine-env.sh
  source "$orvane_root/scripts/wine-env.sh" "$2"
  orvane_wine_join "$1" || exit 2
  orvane_log=$(mktemp)
  trap orvane_at_exit EXIT
}

# A benchmark's Wine: an X server and virtual desktop of its own, never
# someone else's display. The script ends with code 2 when it does not start.
orvane_bench_run() { # orvane_bench_run BUILD_DIR
  unset DISPLAY
  # shellcheck source=wine-env.sh
  source "$orvane_root/scripts/wine-env.sh" "$1"
  trap orvane_at_exit EXIT
  orvane_wine_start || { echo "Wine did not start" >&2; exit 2; }
  orvane_log=$(mktemp)
}
