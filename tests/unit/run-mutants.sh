#!/usr/bin/env bash
# A short mutation run of the core: the shared tool mutate.py seeds COUNT small
# faults (an operator or a constant on one line) into the core's sources, one
# at a time, rebuilds the unit tests on the host and runs them. It measures the
# committed HEAD, in a clone of its own under build/mutants (its output there in
# log.txt). Prints one line, "core mutation score (COUNT mutants, seed SEED):
# 0.xx", or why the figure was not measured; never fails.
# Usage: tests/unit/run-mutants.sh [COUNT [SEED]]   (MUTATE_PY names the tool)
set -u
cd "$(dirname "$0")/../.."

count=${1:-20}
seed=${2:-1}
label="core mutation score ($count mutants, seed $seed)"
tool=${MUTATE_PY:-}
for candidate in "$PWD/../shared/tools/mutate.py" "$PWD/../../shared/tools/mutate.py"; do
  [ -z "$tool" ] && [ -f "$candidate" ] && tool=$candidate
done
[ -n "$tool" ] || { echo "$label: not measured (mutate.py not found: set MUTATE_PY)"; exit 0; }
git rev-parse -q --verify HEAD >/dev/null 2>&1 || { echo "$label: not measured (no commit to measure)"; exit 0; }

# Afresh each time: a run cut short may leave a mutated file in its clone.
work=$PWD/build/mutants
rm -rf "$work" && mkdir -p "$work" || { echo "$label: not measured (no folder for it)"; exit 0; }
nice -n 19 python3 "$tool" "$PWD" "$work" "$count" "$seed" >"$work/log.txt" 2>&1 &
tool_pid=$!
trap 'kill "$tool_pid" 2>/dev/null; exit 0' INT TERM
wait "$tool_pid"

score=$(sed -n 's/^mutation score \([0-9.]*\):.*/\1/p' "$work/log.txt" | tail -n 1)
if [ -n "$score" ]; then
  echo "$label: $score"
else
  echo "$label: not measured ($(tail -n 1 "$work/log.txt"); log in build/mutants/log.txt)"
fi
exit 0
