#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core's
# unit tests natively, then the end-to-end tests against Orvane.exe under Wine,
# the fault runs (kills, a full disk) and the check of the release package.
# Ends with one summary line: "total: N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")"

scripts/deps.sh || exit 1
scripts/cups.sh || exit 1

jobs=$(nproc)
cmake --preset host >/dev/null && cmake --build --preset host -j "$jobs" || exit 1
cmake --preset mingw >/dev/null && cmake --build --preset mingw -j "$jobs" || exit 1

# "tests" and "failures" of a gtest XML report's root element.
counts() {
  local xml=$1
  [ -f "$xml" ] || { echo "0 1"; return; }
  local root
  root=$(grep -m1 '<testsuites' "$xml")
  local tests failures errors
  tests=$(sed -E 's/.* tests="([0-9]+)".*/\1/' <<<"$root")
  failures=$(sed -E 's/.* failures="([0-9]+)".*/\1/' <<<"$root")
  errors=$(sed -E 's/.* errors="([0-9]+)".*/\1/' <<<"$root")
  echo "$((tests - failures - errors)) $((failures + errors))"
}

# A short mutation run of the core (tests/unit/run-mutants.sh), in the
# background at the lowest priority: its figure is shown, never counted.
tests/unit/run-mutants.sh 20 1 >build/host/mutants.txt 2>&1 &
mutants_pid=$!
trap 'kill "$mutants_pid" 2>/dev/null' EXIT

rm -f build/host/unit.xml
echo "== unit tests (host)"
build/host/tests/unit/orvane_unit_tests --gtest_brief=1 --gtest_output=xml:build/host/unit.xml
unit_rc=$?
echo "== unit tests under ASan and UBSan, with branch coverage (host-asan)"
start=$SECONDS
tests/unit/run-sanitized.sh --gtest_brief=1
asan_rc=$? asan_time=$((SECONDS - start))
coverage=$(tail -n 1 build/host-asan/uncovered-branches.txt 2>/dev/null)
echo "== fuzzing every parser and formatter of the core (about 2 minutes)"
start=$SECONDS
tests/fuzz/run-fuzz.sh build/host
fuzz_rc=$? fuzz_time=$((SECONDS - start))
echo "== end-to-end tests (Wine)"
tests/e2e/run-e2e.sh build/mingw --gtest_brief=1
e2e_rc=$?
echo "== faults on every write: kills during saves, a full disk, odd settings files"
tests/faults/run-faults.sh build/mingw 200 | tee build/mingw/faults.txt
faults_rc=${PIPESTATUS[0]}
echo "== the release package"
tests/package/check-package.sh build/mingw | tee build/mingw/package.txt
package_rc=${PIPESTATUS[0]}

echo "== soak: a random user, 1,000 actions (Wine)"
# A fixed seed, so a failure here replays exactly; the benchmark draws its own.
tests/soak/run-soak.sh build/mingw --actions=1000 --prints=2 --seed=3530991238
soak_rc=$?

read -r unit_pass unit_fail < <(counts build/host/unit.xml)
e2e_pass=0 e2e_fail=0
for xml in build/mingw/e2e-*.xml; do
  read -r p f < <(counts "$xml")
  e2e_pass=$((e2e_pass + p)) e2e_fail=$((e2e_fail + f))
done
[ $unit_rc -eq 0 ] || [ "$unit_fail" -gt 0 ] || unit_fail=1
[ $e2e_rc -eq 0 ] || [ "$e2e_fail" -gt 0 ] || e2e_fail=1
if [ $fuzz_rc -eq 0 ]; then fuzz_pass=1 fuzz_fail=0; else fuzz_pass=0 fuzz_fail=1; fi
if [ $asan_rc -eq 0 ]; then asan_pass=1 asan_fail=0; else asan_pass=0 asan_fail=1; fi
if [ $soak_rc -eq 0 ]; then soak_pass=1 soak_fail=0; else soak_pass=0 soak_fail=1; fi
# The fault runs and the package check count one each.
whole_pass=$(( (faults_rc == 0) + (package_rc == 0) )) whole_fail=$(( (faults_rc != 0) + (package_rc != 0) ))
echo
echo "unit: $unit_pass passed, $unit_fail failed"
echo "unit under ASan and UBSan: $asan_pass passed, $asan_fail failed ($asan_time s with its build)"
echo "fuzz: $fuzz_pass passed, $fuzz_fail failed ($fuzz_time s with its build)"
echo "e2e: $e2e_pass passed, $e2e_fail failed"
echo "soak: $soak_pass passed, $soak_fail failed"
grep -h '^faults: ' build/mingw/faults.txt || echo "faults: FAILED"
grep -h '^package: ' build/mingw/package.txt || echo "package: FAILED"
echo "${coverage:-core branch coverage: not measured}"
wait "$mutants_pid"
mutation=$(tail -n 1 build/host/mutants.txt 2>/dev/null)
echo "${mutation:-core mutation score: not measured}"
total_pass=$((unit_pass + asan_pass + fuzz_pass + e2e_pass + soak_pass + whole_pass))
total_fail=$((unit_fail + asan_fail + fuzz_fail + e2e_fail + soak_fail + whole_fail))
echo "total: $total_pass passed, $total_fail failed"
[ $total_fail -eq 0 ]
