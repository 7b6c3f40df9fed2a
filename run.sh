#!/usr/bin/env bash
# Installs what is missing, builds Orvane and starts it under Wine.
# With no DISPLAY it runs on a virtual X display, saves a screenshot to
# build/screenshot.png and keeps running until interrupted (Ctrl+C).
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
scripts/cups.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Orvane -j "$(nproc)"

had_display=${DISPLAY:-}
source scripts/wine-env.sh build
orvane_wine_start
trap 'orvane_wine_stop' EXIT
trap 'exit 130' INT TERM

if [ -n "$had_display" ]; then
  orvane_wine build/mingw/Orvane.exe
  exit 0
fi

orvane_wine build/mingw/Orvane.exe &
program=$!
# Wait until the window is on the X display and shows more than a blank field.
shown() {
  xwininfo -display "$DISPLAY" -root -tree 2>/dev/null | grep -q '"Orvane ' || return 1
  import -display "$DISPLAY" -window root build/screenshot.png 2>/dev/null || return 1
  [ "$(convert build/screenshot.png -format '%k' info:)" -gt 16 ]
}
orvane_wait 60 shown || { echo "Orvane did not show its window" >&2; exit 1; }
echo "Orvane is running on the virtual display $DISPLAY (connect with a VNC or X viewer)."
echo "Screenshot: $(pwd)/build/screenshot.png"
echo "Press Ctrl+C to stop."
wait "$program" || true
