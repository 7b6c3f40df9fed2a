#!/usr/bin/env bash
# The fault runs at length: many more kills than test.sh's 200, with the time
# they took. Every round is still checked; a broken file fails the run.
#   bench/run-faults-bench.sh BUILD_DIR [KILLS=2000] [SEED]
set -u
build_dir=${1:?usage: bench/run-faults-bench.sh BUILD_DIR [KILLS] [SEED]}
repo=$(cd "$(dirname "$0")/.." && pwd)
start=$SECONDS
"$repo/tests/faults/run-faults.sh" "$build_dir" "${2:-2000}" ${3:+"$3"}
rc=$?
echo "faults bench: $((SECONDS - start)) s"
exit $rc
