#!/usr/bin/env bash
# What the drifting caption costs the display server: CPU shares of one core
# of the X server, the program and the wineserver over SECONDS of drift, and
# the slowest round trip of another X client meanwhile, per set-up and size.
#   bench/run-telop-xbench.sh BUILD_DIR [SECONDS] [ORVANE_EXE]
# ORVANE_XBENCH_TEXT sets the line first (the default: the text a first start shows).
# Set-ups: "desktop" (Wine's virtual desktop, as run.sh starts it) and
# "unmanaged" (each window its own X window, Managed=N). After each drift a
# bare X window with the same shape complexity is moved at the same rate, so
# the X server's share of the move alone stands beside the program's. Prints only.
set -u
# shellcheck source=../scripts/runner.sh
source "$(dirname "$0")/../scripts/runner.sh"
build_dir=$(orvane_build_folder "${1:-}" "usage: bench/run-telop-xbench.sh BUILD_DIR [SECONDS] [ORVANE_EXE]") || exit 2
seconds=${2:-10}
product=${3:-$build_dir/Orvane.exe}
sizes=${ORVANE_XBENCH_SIZES:-"440x220 946x507 near"}
setups=${ORVANE_XBENCH_SETUPS:-"desktop unmanaged"}
exe="$build_dir/bench/orvane_telop_bench.exe"
[ -f "$exe" ] || { echo "no $exe: build the orvane_telop_bench target first" >&2; exit 2; }
[ -f "$product" ] || { echo "no $product" >&2; exit 2; }
"$orvane_root/scripts/deps.sh" libx11-dev libxext-dev || exit 2
probe="$build_dir/bench/xshape_probe"
gcc -O2 -o "$probe" "$orvane_root/bench/xshape_probe.c" -lX11 -lXext || exit 2
# A prefix of its own: the set-ups change its desktop setting.
mkdir -p "$build_dir/xbench"
orvane_need_printer
orvane_bench_run "$build_dir/xbench"
xvfb=$orvane_started_xvfb
tck=$(getconf CLK_TCK)

cpu_ticks() { # utime + stime of a process, 0 when gone
  local f
  f=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
  f=${f##*) }
  set -- $f
  echo $(( ${12} + ${13} ))
}

ours() { # pids of this prefix's processes whose command line contains $1
  local p
  for p in /proc/[0-9]*; do
    # Programs run in a folder of the prefix; the wineserver knows it by name.
    case $(readlink "$p/cwd" 2>/dev/null) in "$WINEPREFIX"/*) ;; *)
      tr "\0" "\n" 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue ;;
    esac
    tr "\0" " " 2>/dev/null <"$p/cmdline" | grep -q -- "$1" && echo "${p#/proc/}"
  done
}

program_pid() { # the copy the bench starts, in a folder of this prefix
  local p
  for p in $(pgrep -f 'telop-bench-[0-9]+.Orvane\.exe'); do
    case $(readlink "/proc/$p/cwd" 2>/dev/null) in
      "$WINEPREFIX"/*) echo "$p"; return ;;
    esac
  done
}

for setup in $setups; do
  if [ "$setup" = desktop ]; then
    orvane_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d orvane /f >/dev/null 2>&1
  else
    orvane_wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
  fi
  HOME="$ORVANE_WINE_HOME" /usr/lib/wine/wineserver -k >/dev/null 2>&1
  HOME="$ORVANE_WINE_HOME" /usr/lib/wine/wineserver -w
  HOME="$ORVANE_WINE_HOME" /usr/lib/wine/wineserver -p
  for size in $sizes; do
    log=$(mktemp)
    orvane_wine "$exe" "$(orvane_wine winepath -w "$product" 2>/dev/null)" "$size" "$((seconds + 15))" \
      ${ORVANE_XBENCH_TEXT:+"$ORVANE_XBENCH_TEXT"} >"$log" 2>&1 &
    bench=$!
    orvane_wait 60 grep -q '^drifting' "$log" || { echo "$setup $size: no drift"; cat "$log"; wait $bench; rm -f "$log"; continue; }
    sleep 1  # past the first ticks
    prog=$(program_pid)
    server=$(ours 'wineserver' | head -1)
    x0=$(cpu_ticks "$xvfb"); p0=$(cpu_ticks "${prog:-0}"); s0=$(cpu_ticks "${server:-0}")
    t0=$(date +%s%N)
    # One client kept open: a process started per sample would load X itself.
    "$probe" rtt "$seconds" >"$log.rtt" 2>&1
    t1=$(date +%s%N)
    x1=$(cpu_ticks "$xvfb"); p1=$(cpu_ticks "${prog:-0}"); s1=$(cpu_ticks "${server:-0}")
    wait $bench
    client=$(grep -m1 '^client' "$log" | sed 's/^client //')
    moves=$(grep -m1 '^moves' "$log" | awk '{print $2}')
    rects=$(sed -n 's/^shape: \([0-9]*\).*/\1/p' "$log.rtt")
    awk -v s="$setup" -v z="$size" -v c="$client" -v dt=$(( (t1 - t0) / 1000 )) -v k="$tck" \
        -v x=$((x1 - x0)) -v p=$((p1 - p0)) -v w=$((s1 - s0)) 'BEGIN {
      f = 1e6 / k / dt
      printf "%-9s %-8s client %-12s X server %.3f  program %.3f  wineserver %.3f  of a core\n",
             s, z, c, x * f, p * f, w * f }'
    sed 's/^/                   /' "$log.rtt"
    echo "                   $moves moves seen by the bench during its drift"
    [ -n "$prog" ] || echo "  (program process not found)"
    # The same shape complexity without Wine: the X server's own cost of a move.
    if [ "${rects:-0}" -gt 1 ]; then
      x0=$(cpu_ticks "$xvfb"); t0=$(date +%s%N)
      "$probe" move "$rects" 5 >/dev/null
      t1=$(date +%s%N); x1=$(cpu_ticks "$xvfb")
      awk -v r="$rects" -v dt=$(( (t1 - t0) / 1000 )) -v k="$tck" -v x=$((x1 - x0)) 'BEGIN {
        printf "                   bare X window, %d shape rectangles, moved every 20 ms: X server %.3f of a core\n",
               r, x * 1e6 / k / dt }'
    fi
    rm -f "$log.rtt"
    [ -n "${ORVANE_XBENCH_LOG:-}" ] && cat "$log"
    rm -f "$log"
  done
done
