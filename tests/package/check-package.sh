#!/usr/bin/env bash
# Makes the release package and checks it as a user meets it: the zip holds
# the program, its help (the compiled file, and its pages for a browser with
# the version filled in), the licence and the read-me, and no settings file;
# unpacked into a fresh folder, Orvane.exe starts from there and its close
# writes the settings file beside it.
#   tests/package/check-package.sh BUILD_DIR
# Prints one figure line "package: ..." and exits 0 when every check holds.
set -u
# shellcheck source=../../scripts/runner.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/runner.sh"
build=$(orvane_build_folder "${1:-}" "usage: check-package.sh BUILD_DIR") || exit 2
fail() { echo "check-package.sh: $*" >&2; exit 1; }

cmake --build "$build" --target package >"$build/package.log" 2>&1 || { cat "$build/package.log"; fail "no package"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name="Orvane-$version-win64"
zip="$build/$name.zip"
[ -f "$zip" ] || fail "$zip was not made"
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
# Every file of docs/help but the help compiler's project, contents and index.
pages=$(cd "$orvane_root/docs/help" && ls | grep -v '\.hh[cpk]$' | sed 's|^|Orvane-help/|')
expected=$(printf '%s\n' LICENSE.txt Orvane.chm Orvane.exe README-ja-en.txt $pages | sed "s|^|$name/|" | sort | tr '\n' ' ')
[ "$listed" = "$expected" ] || fail "the zip holds: $listed; expected: $expected"

unpacked="$build/package-check"
rm -rf "$unpacked" && mkdir -p "$unpacked" && unzip -q "$zip" -d "$unpacked" || fail "cannot unpack"
folder="$unpacked/$name"
grep -q "^Version=V${version%.*}\$" "$folder/Orvane-help/settings.html" || fail "the help's pages lack the version label"

orvane_run check-package.sh "$build"
# The fault runs' helper finds the copy, checks that start-up went all the
# way, gives it a text and closes it, expecting no error.
(cd "$build" && exec env ORVANE_FAULT_DIR="Z:${folder//\//\\}" ORVANE_FAULT_EXPECT=saved HOME="$ORVANE_WINE_HOME" \
  "$orvane_wine_bin" "$build/orvane_e2e.exe" --gtest_filter=FaultRun.OddSettingsFile --gtest_brief=1) \
  >"$build/package-helper.log" 2>&1 &
helper=$!
(cd "$folder" && exec env HOME="$ORVANE_WINE_HOME" timeout 120 "$orvane_wine_bin" "$folder/Orvane.exe") >/dev/null 2>&1 &
program=$!
wait "$program"
if ! wait "$helper" || grep -q FAILED "$build/package-helper.log"; then
  cat "$build/package-helper.log" >&2; fail "the unpacked program did not start and close cleanly"
fi
grep -aq '^Text=odd' "$folder/Orvane.ini" 2>/dev/null || fail "no settings file beside the unpacked Orvane.exe"
echo "package: $name.zip ($(($(stat -c %s "$zip") / 1024)) KB: $(echo "$listed" | sed "s|$name/||g; s|Orvane-help/[^ ]* ||g")and $(echo "$pages" | wc -l) files in Orvane-help), started unpacked, settings file made beside the exe"
