#!/usr/bin/env bash
# Builds the core's unit tests with ASan and UBSan and source-based coverage
# (the host-asan preset, clang), runs them, and measures the branch coverage
# of the core: src/ without the _win files. Writes the decisions taken only
# one way to BUILD_DIR/uncovered-branches.txt; its last line is
# "core branch coverage: NN.N % (covered/total)".
# Usage: tests/unit/run-sanitized.sh [GTEST_ARGS...]
set -uo pipefail
cd "$(dirname "$0")/../.."

build=build/host-asan
rm -f "$build/uncovered-branches.txt"
cmake --preset host-asan >/dev/null && cmake --build --preset host-asan -j 2 >"$build-build.log" 2>&1 || {
  tail -n 40 "$build-build.log" >&2
  echo "sanitized unit tests: the build failed (log in $build-build.log)" >&2
  exit 1
}

tests=$build/tests/unit/orvane_unit_tests
rm -f "$build"/unit-*.profraw
# Any report from a sanitizer ends the run with a failure.
LLVM_PROFILE_FILE="$PWD/$build/unit-%p.profraw" \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "$tests" "$@"
status=$?

profdata=$(command -v llvm-profdata-14 || command -v llvm-profdata)
cov=$(command -v llvm-cov-14 || command -v llvm-cov)
"$profdata" merge -sparse "$build"/unit-*.profraw -o "$build/unit.profdata" || exit 1
core=(-instr-profile="$build/unit.profdata" -ignore-filename-regex='(/tests/|_win\.|^/usr/)')

# Each condition counts twice, taken and not taken.
"$cov" show "$tests" "${core[@]}" -show-branches=count | awk -v root="$PWD/" '
  /^\// { file = substr($0, 1, length($0) - 1); sub(root, "", file); next }
  # "  17|    228|source": the source after the second bar.
  /^ *[0-9]+\|/ { rest = substr($0, index($0, "|") + 1); source[$0 + 0] = substr(rest, index(rest, "|") + 1); next }
  /Branch \(/ {
    # line, column, times true, times false
    numbers = $0; gsub(/[^0-9]+/, " ", numbers); split(numbers, n, " ")
    total += 2; covered += (n[3] > 0) + (n[4] > 0)
    if (n[3] == 0 || n[4] == 0) {
      text = source[n[1] + 0]; gsub(/^[ \t]+/, "", text)
      printf "%s:%s:%s never %s: %s\n", file, n[1], n[2], n[3] == 0 ? "true " : "false", text
    }
  }
  END { printf "core branch coverage: %.1f %% (%d/%d)\n", total ? 100 * covered / total : 0, covered, total }
' >"$build/uncovered-branches.txt"
tail -n 1 "$build/uncovered-branches.txt"
exit $status
