#!/usr/bin/env bash
# Keystroke to screen, measured from outside on one virtual display: Orvane
# under Wine against sm (Debian's screen-message, a native GTK program that
# shows a text as large as its window), same client rectangle, same text "ab",
# in rounds that take turns, with a minimal Win32 program of the same kind as a
# floor. Then a scripted drag of Orvane's frame.
#   bench/run-keylat-bench.sh BUILD_DIR [PRESSES_PER_ROUND] [ROUNDS]
# The meter is keylat.c from the shared tools folder (KEYLAT_SRC overrides).
# Prints figures; timing never fails the run.
set -u
# shellcheck source=../scripts/runner.sh
source "$(dirname "$0")/../scripts/runner.sh"
build_dir=$(orvane_build_folder "${1:-}" "usage: bench/run-keylat-bench.sh BUILD_DIR [PRESSES] [ROUNDS]") || exit 2
presses=${2:-60}
rounds=${3:-3}
drive="$build_dir/bench/orvane_drive.exe"
orvane_exe=${ORVANE_EXE:-$build_dir/Orvane.exe}  # another build of the program, to compare
[ -f "$orvane_exe" ] && [ -f "$drive" ] && [ -f "$build_dir/bench/orvane_floor_window.exe" ] ||
  { echo "build Orvane, orvane_drive and orvane_floor_window first" >&2; exit 2; }
# The X headers the meter needs, and the native program it compares with.
"$orvane_root/scripts/deps.sh" libx11-dev libxdamage-dev libxtst-dev libxfixes-dev sm || exit 2

src=${KEYLAT_SRC:-}
for candidate in "$orvane_root/../shared/tools/keylat.c" "$orvane_root/../../shared/tools/keylat.c"; do
  [ -z "$src" ] && [ -f "$candidate" ] && src=$candidate
done
[ -n "$src" ] || { echo "keylat.c not found: set KEYLAT_SRC" >&2; exit 2; }
keylat="$build_dir/bench/keylat"
if [ ! -x "$keylat" ] || [ "$src" -nt "$keylat" ]; then
  gcc -O2 -o "$keylat" "$src" -lX11 -lXdamage -lXtst -lXfixes || exit 2
fi

orvane_need_printer
orvane_bench_run "$build_dir"
work=$(mktemp -d)
sm_pid=""
orvane_cleanup() {
  [ -n "$sm_pid" ] && kill "$sm_pid" 2>/dev/null
  rm -rf "$work"
}
# Folders of their own, so no settings file of another run is read.
cp "$orvane_exe" "$work/Orvane.exe"
cp "$build_dir/bench/orvane_floor_window.exe" "$work/"

echo "keylat-bench: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at start"
echo "method: keylat presses 'a' and BackSpace in turn (text 'ab' <-> 'ab' + one letter), $presses"
echo "  presses per run; $rounds rounds, in each every program once, in turn (order rotated), each"
echo "  started anew on the same client rectangle; per run the meter's median and p90 of key press"
echo "  -> first X damage covering 10% of the client area. Programs: Orvane; the floor window (an"
echo "  EDIT refitted at every change, nothing else), then with the caption set at every refit, then"
echo "  also double-buffered, then the same without a frame (as Orvane's full screen); sm. At full"
echo "  screen also Orvane framed on the same client rectangle, and the floor maximized over the screen."
programs=(orvane floor floor+caption floor+caption+buffer floor-borderless sm)
# ORVANE_EXE_B: a second build of the program measured in the same rounds (A/B).
if [ -n "${ORVANE_EXE_B:-}" ]; then
  mkdir -p "$work/b" && cp "$ORVANE_EXE_B" "$work/b/Orvane.exe"
  programs=(orvane orvane-b sm)
fi
# KEYLAT_PROGRAMS / KEYLAT_FULL_PROGRAMS: other lists for the two sizes (an empty
# one skips that size), for example "orvane floor+caption+buffer floor+ime sm".
[ -n "${KEYLAT_PROGRAMS+set}" ] && read -r -a programs <<<"$KEYLAT_PROGRAMS"

wine_window() { xdotool search --onlyvisible --name 'Wine desktop' 2>/dev/null | head -n1; }

start_sm() { # start_sm X Y W H: sm showing "ab" on that rectangle, with the keyboard focus
  NO_AT_BRIDGE=1 /usr/games/sm ab >/dev/null 2>&1 &
  sm_pid=$!
  local w=""
  orvane_wait 20 xdotool search --onlyvisible --pid "$sm_pid" || { echo "sm did not show" >&2; return 1; }
  w=$(xdotool search --onlyvisible --pid "$sm_pid" | tail -n1)
  xdotool windowsize --sync "$w" "$3" "$4" windowmove --sync "$w" "$1" "$2" windowfocus --sync "$w"
  xdotool key End  # the cursor after "ab", as in Orvane
}

stop_sm() {
  [ -n "$sm_pid" ] && kill "$sm_pid" 2>/dev/null && wait "$sm_pid" 2>/dev/null
  sm_pid=""
}

# "median p90" of one keylat run, or "- -" when it saw nothing.
meter() {
  local line
  line=$("$keylat" "$presses" "$@" a BackSpace 2>&1 | grep '^keylat:')
  echo "    $line" >&2
  awk '{ for (i = 1; i < NF; i++) { if ($i == "median") m = $(i + 1); if ($i == "p90") p = $(i + 1) } }
       END { if (m == "") print "- -"; else print m, p }' <<<"$line"
}

start_wine() { # start_wine PROGRAM [ARGS]: started in the work folder, in the background
  rm -f "$work"/*.ini "$work"/b/*.ini  # each start as the first: no placement or text of the last run
  (cd "$work" && orvane_wine "$@" >/dev/null 2>&1 &)
}

# One program measured once on the rectangle X Y W H; FULL=1 puts Orvane in full screen.
run_one() { # run_one PROGRAM X Y W H
  local program=$1 result="- -"; shift
  case $program in
    sm)
      start_sm "$@" && result=$(meter "$@")
      stop_sm
      ;;
    *)
      case $program in
        orvane) start_wine Orvane.exe ;;
        orvane-b) start_wine b/Orvane.exe ;;
        floor) start_wine orvane_floor_window.exe ;;
        floor+caption) start_wine orvane_floor_window.exe caption ;;
        floor+caption+buffer) start_wine orvane_floor_window.exe caption buffer ;;
        floor-full) start_wine orvane_floor_window.exe caption buffer full ;;
        floor-borderless) start_wine orvane_floor_window.exe caption buffer borderless ;;
        floor+ime) start_wine orvane_floor_window.exe caption buffer ime ;;
        orvane-framed) start_wine Orvane.exe ;;
      esac
      if [ "$program" = floor-full ] || { [ "${program%-b}" = orvane ] && [ "${FULL:-0}" = 1 ]; }; then
        orvane_wine "$drive" place ab full >/dev/null 2>&1
      else
        orvane_wine "$drive" place ab "$3" "$4" "$1" "$2" >/dev/null 2>&1
      fi
      local w; w=$(wine_window); [ -n "$w" ] && xdotool windowfocus --sync "$w"
      result=$(meter "$@")
      orvane_wine "$drive" close >/dev/null 2>&1
      ;;
  esac
  echo "$result"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (!NR) print "-"; else print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() { # measure LABEL X Y W H: every program once per round, then medians over rounds
  local label=$1; shift
  [ ${#programs[@]} -gt 0 ] || return 0
  local -A med p90 ratio
  for ((round = 0; round < rounds; round++)); do
    echo "  $label round $((round + 1))" >&2
    local order=("${programs[@]:round % ${#programs[@]}}" "${programs[@]:0:round % ${#programs[@]}}")
    local -A got=()
    for program in "${order[@]}"; do
      echo "   $program" >&2
      got[$program]=$(run_one "$program" "$@")
    done
    local sm_m=${got[sm]%% *}
    for program in "${programs[@]}"; do
      local m=${got[$program]%% *} p=${got[$program]##* }
      [ "$m" = - ] && continue
      med[$program]+="$m "
      p90[$program]+="$p "
      [ "$sm_m" != - ] && ratio[$program]+="$(awk -v a="$m" -v b="$sm_m" 'BEGIN { printf "%.2f", a / b }') "
    done
  done
  echo "$label (medians over $rounds rounds; ratio = median of the per-round ratios to sm):"
  for program in "${programs[@]}"; do
    printf '  %-22s median %6s ms  p90 %6s ms  ratio to sm %5s  (per round: %s)\n' "$program" \
      "$(tr ' ' '\n' <<<"${med[$program]:-}" | grep . | median)" \
      "$(tr ' ' '\n' <<<"${p90[$program]:-}" | grep . | median)" \
      "$(tr ' ' '\n' <<<"${ratio[$program]:-}" | grep . | median)" "${ratio[$program]:-}"
  done
}

orvane_wait 30 xdotool search --onlyvisible --name 'Wine desktop' || true
x=487 y=286 w=946 h=507
windowed=$(measure "client area 946x507 at 487,286" "$x" "$y" "$w" "$h")

echo "drag of Orvane's frame, bottom-right corner, text 'ab' (refits = sizes the caption showed):"
start_wine Orvane.exe
orvane_wine "$drive" place ab "$w" "$h" "$x" "$y" >/dev/null 2>&1
orvane_wine "$drive" drag 60 4 2>/dev/null | tr -d '\r' | sed 's/^/  /'
# Orvane's full screen keeps the inner border: its client rectangle is the one all are measured on.
read -r x y w h < <(orvane_wine "$drive" place ab full 2>/dev/null | tr -d '\r')
orvane_wine "$drive" close >/dev/null 2>&1
[ -n "${h:-}" ] || { echo "Orvane did not go full screen" >&2; exit 2; }
# Full screen adds two programs: Orvane framed on the same client rectangle
# (its frame off screen), and the floor borderless over the whole screen as
# Orvane's full screen is, to tell the cost of the mode from the program's.
[ -z "${ORVANE_EXE_B:-}" ] && programs=(orvane orvane-framed floor floor+caption floor+caption+buffer floor-full sm)
[ -n "${KEYLAT_FULL_PROGRAMS+set}" ] && read -r -a programs <<<"$KEYLAT_FULL_PROGRAMS"
full=$(FULL=1 measure "full screen (client area ${w}x${h} at $x,$y)" "$x" "$y" "$w" "$h")

echo
echo "$windowed"
echo "$full"
echo "keylat-bench: load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
exit 0
