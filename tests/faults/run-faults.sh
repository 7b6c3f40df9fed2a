#!/usr/bin/env bash
# Faults on every write: kills Orvane.exe (kill -9 of its Wine process) at
# random moments while it saves its settings file or a picture, fills the disk
# under both saves, and puts odd things where the settings file goes. After
# each, the file must be the old one or the new one, whole, and a failure the
# program survived must have been reported (tests/e2e/fault_run_test.cpp
# answers the program's dialogs).
#   tests/faults/run-faults.sh BUILD_DIR [KILLS] [SEED]
# KILLS (default 200) are shared between the two files; ORVANE_FAULTS_TRACE=1
# prints every round. Prints one figure line
# "faults: ..." and exits 0 when every check holds.
set -u
# shellcheck source=../../scripts/runner.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/runner.sh"
build=$(orvane_build_folder "${1:-}" "usage: run-faults.sh BUILD_DIR [KILLS] [SEED]") || exit 2
kills=${2:-200}
seed=${3:-$((RANDOM * 32768 + RANDOM))}
[ -f "$build/orvane_e2e.exe" ] || { echo "run-faults.sh: $build/orvane_e2e.exe not built" >&2; exit 2; }
orvane_run run-faults.sh "$build"
work="$build/faults"
full="$work/full"
orvane_cleanup() {
  mountpoint -q "$full" 2>/dev/null && umount "$full"
}
rm -rf "$work" && mkdir -p "$work" || exit 2
RANDOM=$((seed % 32768))
failures=0
fail() { echo "run-faults.sh: $*" >&2; failures=$((failures + 1)); }

win() { local p=${1//\//\\}; echo "Z:$p"; }  # the Windows path of a Unix one

helper_pid=""
helper() { # helper TEST NAME=VALUE...: the Windows half, in the background
  local test=$1; shift
  (cd "$build" && exec env "$@" HOME="$ORVANE_WINE_HOME" "$orvane_wine_bin" "$build/orvane_e2e.exe" \
    --gtest_filter="FaultRun.$test" --gtest_brief=1) >"$work/helper-$test.log" 2>&1 &
  helper_pid=$!
}
helper_done() { # helper_done TEST: waits for it; fails with its output if it failed
  timeout 120 tail --pid="$helper_pid" -f /dev/null
  if ! wait "$helper_pid" || grep -q FAILED "$work/helper-$1.log"; then
    fail "the program's side of $1 failed:"; cat "$work/helper-$1.log" >&2
  fi
}

started="" size_limit=""
start_copy() { # start_copy FOLDER: Orvane.exe from there; its Wine process in $started
  (
    cd "$1" || exit
    # A file-size limit stands for a full disk where no file system can be
    # mounted; Wine would die of the signal that a longer write raises.
    [ -z "$size_limit" ] || { ulimit -f "$size_limit" && trap '' XFSZ; } || exit
    exec env HOME="$ORVANE_WINE_HOME" "$orvane_wine_bin" "$1/Orvane.exe"
  ) >"$work/copy.log" 2>&1 &
  started=$!
}
# Sleeps without a process of its own: a read that times out on a pipe that
# never speaks. The waits below poll every few milliseconds.
exec {never}<> <(:)
nap() { read -rt "$1" -u "$never" || :; }
wait_file() { # wait_file PATH SECONDS
  local deadline=$((SECONDS + $2))
  until [ -e "$1" ]; do
    [ $SECONDS -lt $deadline ] || return 1
    kill -0 "$helper_pid" 2>/dev/null || return 1
    nap 0.005
  done
}
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
s32() { od -An -td4 -j"$2" -N4 "$1" | tr -d ' '; }

# Whole: the old bytes (or still no file), or a complete new file of this round.
judge() { # judge KIND FILE OLD ROUND -> prints old | new | broken
  local kind=$1 file=$2 old=$3 round=$4
  if [ ! -e "$file" ]; then [ ! -e "$old" ] && echo old || echo broken; return; fi
  if [ -e "$old" ] && cmp -s "$file" "$old"; then echo old; return; fi
  if [ "$kind" = settings ]; then
    if head -c 11 "$file" | grep -q '^\[PROGRAM\]' && grep -aq "^Text=settings-$round x" "$file" &&
      [ "$(tail -c 21 "$file" | od -An -c | tr -d ' \n')" = 'BackColor=clWhite\r\n\r\n' ]; then
      echo new
    else
      echo broken
    fi
  else
    local size w h
    size=$(stat -c %s "$file")
    w=$(s32 "$file" 18) h=$(s32 "$file" 22)
    if [ "$(head -c 2 "$file")" = BM ] && [ "$(u32 "$file" 2)" = "$size" ] &&
      [ "$size" -eq $((54 + (w * 3 + 3) / 4 * 4 * ${h#-})) ]; then echo new; else echo broken; fi
  fi
}

# ---- kills -----------------------------------------------------------------
# Each round: a copy starts, gets a new text and saves; the kill comes at a
# random moment up to MAX_MS after the save began (settings: while it closes;
# picture: after the last answer to the save dialog).
declare -A seen=([old]=0 [new]=0 [broken]=0)
midwrite=0 rounds_done=0
kill_rounds() { # kill_rounds KIND ROUNDS MAX_MS
  local kind=$1 rounds=$2 max_ms=$3 dir="$work/$1" file round verdict delay pause t0 t1 alive before leftovers
  mkdir -p "$dir" && cp "$build/Orvane.exe" "$dir/"
  [ "$kind" = settings ] && file="$dir/Orvane.ini" || file="$dir/picture.bmp"
  helper SavesUntilKilled ORVANE_FAULT_DIR="$(win "$dir")" ORVANE_FAULT_KIND="$kind"
  for ((round = 1; round <= rounds; round++)); do
    rm -f "$work/old"; [ -e "$file" ] && cp "$file" "$work/old"
    before=$(compgen -G "$dir/*.tmp")
    t0=${EPOCHREALTIME/./}
    start_copy "$dir"
    if ! wait_file "$dir/saving-$round" 60; then
      if kill -0 "$started" 2>/dev/null; then
        fail "$kind round $round: the save did not start"; kill -9 "$started"
      else
        wait "$started"
        fail "$kind round $round: the copy ended by itself (exit code $?) before its save; its output:"
        cat "$work/copy.log" >&2
      fi
      break
    fi
    t1=${EPOCHREALTIME/./}
    delay=$((RANDOM % max_ms))
    printf -v pause '%d.%03d' $((delay / 1000)) $((delay % 1000))
    nap "$pause"
    alive=no; kill -0 "$started" 2>/dev/null && alive=yes
    kill -9 "$started" 2>/dev/null
    wait "$started" 2>/dev/null
    [ -n "${ORVANE_FAULTS_TRACE:-}" ] &&
      echo "$kind $round: save began $(((t1 - t0) / 1000)) ms after the start, kill $delay ms later, alive: $alive"
    # A new temporary file beside it: the kill came while the file was
    # written. The next save removes it, so no more than one is ever there.
    leftovers=$(compgen -G "$dir/*.tmp")
    [ -n "$leftovers" ] && [ "$leftovers" != "$before" ] && midwrite=$((midwrite + 1))
    [ "$(compgen -G "$dir/*.tmp" | wc -l)" -le 1 ] || fail "$kind round $round: temporary files pile up"
    verdict=$(judge "$kind" "$file" "$work/old" "$round")
    seen[$verdict]=$((seen[$verdict] + 1))
    rounds_done=$((rounds_done + 1))
    if [ "$verdict" = broken ]; then
      cp "$file" "$work/broken-$kind-$round" 2>/dev/null
      fail "$kind round $round (killed after $delay ms): the file is neither the old one nor a whole new one"
    fi
  done
  touch "$dir/stop"
  helper_done SavesUntilKilled
}
# Three in four on the settings file: a picture round costs about three times
# as much (the save dialog).
settings_kills=$((kills * 3 / 4))
kill_rounds settings "$settings_kills" 40
kill_rounds bitmap "$((kills - settings_kills))" 150

# The old files of the cases below, written by hand.
printf '[PROGRAM]\r\nName=Orvane.exe\r\n\r\n[OPTION]\r\nText=before\r\n\r\n' >"$work/old.ini"
printf 'BM and the rest of an older picture' >"$work/old.bmp"

# ---- full disk -----------------------------------------------------------------
# A small file system of its own (a 4 MB tmpfs), filled but for 8 KB, less
# than either new file needs: the saves fail part-way, are reported, and leave
# the old files. Without the rights to mount: a file-size limit of 8 KB.
mkdir -p "$full"
method="tmpfs filled to 8 KB free"
mount -t tmpfs -o size=4m orvane-faults "$full" 2>/dev/null || method="file-size limit of 8 KB"
cp "$build/Orvane.exe" "$full/" && cp "$work/old.ini" "$full/Orvane.ini" && cp "$work/old.bmp" "$full/picture.bmp"
if mountpoint -q "$full"; then
  free_kb=$(df -k --output=avail "$full" | tail -1)
  dd if=/dev/zero of="$full/filler" bs=1k count=$((free_kb - 8)) status=none
else
  size_limit=8
fi
helper FullDisk ORVANE_FAULT_DIR="$(win "$full")"
start_copy "$full"
helper_done FullDisk
kill -9 "$started" 2>/dev/null; wait "$started" 2>/dev/null
size_limit=""
if cmp -s "$full/Orvane.ini" "$work/old.ini" && cmp -s "$full/picture.bmp" "$work/old.bmp" &&
  ! compgen -G "$full/*.tmp" >/dev/null; then
  full_result="2 saves refused and reported, old files kept ($method)"
else
  fail "full disk: the old files changed or a temporary file stayed"; full_result="FAILED ($method)"
fi
mountpoint -q "$full" && umount "$full"

# ---- odd settings files -----------------------------------------------------------
odd_ok=0 odd_cases=0
odd() { # odd NAME EXPECT SETUP...: the folder's Orvane.ini made by SETUP, then start and close
  local name=$1 expect=$2 dir="$work/odd-$1"; shift 2
  mkdir -p "$dir" && cp "$build/Orvane.exe" "$dir/" && (cd "$dir" && "$@")
  odd_cases=$((odd_cases + 1))
  local lock=0; [ "$name" = locked ] && lock=1
  helper OddSettingsFile ORVANE_FAULT_DIR="$(win "$dir")" ORVANE_FAULT_EXPECT="$expect" ORVANE_FAULT_LOCK=$lock
  [ $lock = 1 ] && wait_file "$dir/locked" 30
  start_copy "$dir"
  local before=$failures
  helper_done OddSettingsFile
  kill -9 "$started" 2>/dev/null; wait "$started" 2>/dev/null
  compgen -G "$dir/*.tmp" >/dev/null && fail "odd $name: a temporary file stayed"
  case $name in
    folder) [ -d "$dir/Orvane.ini" ] || fail "odd folder: the folder is gone" ;;
    link) { [ -L "$dir/Orvane.ini" ] && grep -aq '^Text=odd' "$work/elsewhere/linked.ini"; } ||
      fail "odd link: the link was not kept or its file not written" ;;
    dangling) { [ -f "$dir/Orvane.ini" ] && grep -aq '^Text=odd' "$dir/Orvane.ini"; } ||
      fail "odd dangling: no settings file in the link's place" ;;
    locked) cmp -s "$dir/Orvane.ini" "$work/old.ini" || fail "odd locked: the file changed" ;;
  esac
  [ $failures -eq "$before" ] && odd_ok=$((odd_ok + 1))
}
mkdir -p "$work/elsewhere" && cp "$work/old.ini" "$work/elsewhere/linked.ini"
odd folder error mkdir Orvane.ini
odd link saved ln -s "$work/elsewhere/linked.ini" Orvane.ini
odd dangling saved ln -s "$work/nowhere/Orvane.ini" Orvane.ini
odd locked error cp "$work/old.ini" Orvane.ini

echo "faults: $rounds_done kills (seed $seed), $((seen[old] + seen[new])) files whole after them" \
  "(${seen[old]} old, ${seen[new]} new, $midwrite killed mid-write), ${seen[broken]} broken;" \
  "full disk: $full_result; odd settings files: $odd_ok of $odd_cases handled"
[ $failures -eq 0 ]
