#!/usr/bin/env bash
# The long soak: 20,000 random actions against the real Orvane.exe under the
# build's own Wine; prints actions per second, the GDI and USER object counts
# seen, the peak working set and the kernel handle counts.
#   bench/run-soak-bench.sh BUILD_DIR [--seed=S] [--actions=N]
# Takes well over an hour at the default count. Exit code: the soak's.
# --prints=N lets N print jobs through (10 by default: each takes seconds).
set -u
build_dir=${1:?usage: bench/run-soak-bench.sh BUILD_DIR [soak options]}
shift
repo=$(cd "$(dirname "$0")/.." && pwd)
# Our own Xvfb and virtual desktop, never someone else's display.
unset DISPLAY
ORVANE_SOAK_TIMEOUT=${ORVANE_SOAK_TIMEOUT:-21600} \
  exec "$repo/tests/soak/run-soak.sh" "$build_dir" --actions=20000 --prints=10 "$@"
