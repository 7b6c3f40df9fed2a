#!/usr/bin/env bash
# Keystroke to screen, measured from outside on one virtual display: Orvane
# under Wine against sm (Debian's screen-message, a native GTK program that
# shows a text as large as its window), same client rectangle, same text "ab",
# in rounds that take turns. Then a scripted drag of Orvane's frame.
#   bench/run-keylat-bench.sh BUILD_DIR [PRESSES_PER_ROUND] [ROUNDS]
# The meter is keylat.c from the shared tools folder (KEYLAT_SRC overrides).
# Prints figures; timing never fails the run.
set -u
build_dir=$(cd "${1:?usage: bench/run-keylat-bench.sh BUILD_DIR [PRESSES] [ROUNDS]}" && pwd)
presses=${2:-100}
rounds=${3:-3}
repo=$(cd "$(dirname "$0")/.." && pwd)
drive="$build_dir/bench/orvane_drive.exe"
[ -f "$build_dir/Orvane.exe" ] && [ -f "$drive" ] || { echo "build Orvane and orvane_drive first" >&2; exit 2; }
"$repo/scripts/deps.sh" || exit 2  # sm and the X headers the meter needs

src=${KEYLAT_SRC:-}
for candidate in "$repo/../shared/tools/keylat.c" "$repo/../../shared/tools/keylat.c"; do
  [ -z "$src" ] && [ -f "$candidate" ] && src=$candidate
done
[ -n "$src" ] || { echo "keylat.c not found: set KEYLAT_SRC" >&2; exit 2; }
keylat="$build_dir/bench/keylat"
if [ ! -x "$keylat" ] || [ "$src" -nt "$keylat" ]; then
  gcc -O2 -o "$keylat" "$src" -lX11 -lXdamage -lXtst -lXfixes || exit 2
fi

unset DISPLAY
# shellcheck source=../scripts/wine-env.sh
source "$repo/scripts/wine-env.sh" "$build_dir"
orvane_wine_start || { echo "Wine did not start" >&2; orvane_wine_stop; exit 2; }
work=$(mktemp -d)
sm_pid=""
cleanup() {
  [ -n "$sm_pid" ] && kill "$sm_pid" 2>/dev/null
  orvane_wine_stop
  rm -rf "$work"
}
trap cleanup EXIT
# A folder of its own, so no settings file of another run is read.
cp "$build_dir/Orvane.exe" "$work/"
(cd "$work" && orvane_wine Orvane.exe >/dev/null 2>&1 &)

echo "keylat-bench: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at start"
echo "method: keylat presses 'a' and BackSpace in turn (text 'ab' <-> 'ab' + one letter), $presses"
echo "  presses per round, $rounds rounds per program, the programs taking turns; per round the"
echo "  meter's median and p90 of key press -> first damage covering 10% of the client area."

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

summary() { # summary LABEL: medians over rounds from lines "orvane_median orvane_p90 sm_median sm_p90"
  awk -v label="$1" '
    { om[NR] = $1; op[NR] = $2; sm[NR] = $3; sp[NR] = $4; r[NR] = ($3 > 0) ? $1 / $3 : 0 }
    function med(a, n,   i, j, t, b) { for (i = 1; i <= n; i++) b[i] = a[i]
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (b[j] < b[i]) { t = b[i]; b[i] = b[j]; b[j] = t }
      return (n % 2) ? b[(n + 1) / 2] : (b[n / 2] + b[n / 2 + 1]) / 2 }
    END { n = NR; if (!n) { print label ": no rounds measured"; exit }
      printf "%s: Orvane median %.2f ms p90 %.2f ms | sm median %.2f ms p90 %.2f ms | ratio %.2f (median of %d rounds; per round:",
        label, med(om, n), med(op, n), med(sm, n), med(sp, n), med(r, n), n
      for (i = 1; i <= n; i++) printf " %.2f", r[i]; print ")" }'
}

measure() { # measure LABEL X Y W H
  local label=$1; shift
  local results=()
  for ((round = 1; round <= rounds; round++)); do
    echo "  $label round $round" >&2
    local orvane sm
    run_orvane() {
      local w; w=$(wine_window); [ -n "$w" ] && xdotool windowfocus --sync "$w"
      orvane=$(meter "$@")
    }
    run_sm() { start_sm "$@" && sm=$(meter "$@"); stop_sm; }
    if ((round % 2)); then run_orvane "$@"; run_sm "$@"; else run_sm "$@"; run_orvane "$@"; fi
    results+=("$orvane ${sm:-- -}")
  done
  printf '%s\n' "${results[@]}" | grep -v -- '-' | summary "$label"
}

orvane_wait 30 xdotool search --onlyvisible --name 'Wine desktop' || true
read -r x y w h < <(orvane_wine "$drive" place ab 946 507 487 286 2>/dev/null | tr -d '\r')
echo "Orvane client area: ${w:-?} x ${h:-?} at ${x:-?}, ${y:-?}"
[ -n "${h:-}" ] || { echo "Orvane did not take its place" >&2; exit 2; }
windowed=$(measure "946x507" "$x" "$y" "$w" "$h")

echo "drag of the frame's bottom-right corner, text 'ab' (refits = sizes the caption showed):"
orvane_wine "$drive" drag 60 4 2>/dev/null | tr -d '\r' | sed 's/^/  /'

read -r x y w h < <(orvane_wine "$drive" place ab full 2>/dev/null | tr -d '\r')
echo "Orvane client area: ${w:-?} x ${h:-?} at ${x:-?}, ${y:-?} (full screen)"
full=$(measure "full screen" "$x" "$y" "$w" "$h")

echo
echo "$windowed"
echo "$full"
echo "keylat-bench: load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
exit 0
