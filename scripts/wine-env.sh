# Sourced by run.sh and, through scripts/runner.sh, by the test and benchmark
# scripts: a Wine of the build's own.
#   source scripts/wine-env.sh BUILD_DIR
# Afterwards: orvane_wine PROGRAM [ARGS] runs a Windows program in the prefix,
# orvane_wine_stop ends the wineserver and the X server started here.
# The prefix lives in BUILD_DIR/wine and is created once; HOME points there
# too, so the prefix's desktop and start-menu folders are the build's own.

orvane_build_dir=$(cd "${1:?build folder}" && pwd)
export WINEPREFIX="$orvane_build_dir/wine/prefix"
export ORVANE_WINE_HOME="$orvane_build_dir/wine/home"
export LC_ALL=ja_JP.UTF-8
# ORVANE_WINEDEBUG=err+all shows why a process of Wine ended.
export WINEDEBUG=${ORVANE_WINEDEBUG:--all}
# Otherwise every saved shortcut also writes a .desktop file beside it.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
export WINEARCH=win64
orvane_wine_bin=/usr/lib/wine/wine64
orvane_started_xvfb=""
orvane_started_wineserver=""

orvane_wine() { HOME="$ORVANE_WINE_HOME" "$orvane_wine_bin" "$@"; }

orvane_wait() { # orvane_wait SECONDS COMMAND...: poll until the command succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

orvane_start_xvfb() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  orvane_started_xvfb=$!
  export DISPLAY=":$n"
  orvane_wait 20 xdpyinfo -display "$DISPLAY" || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
}

orvane_make_prefix() {
  local stamp="$WINEPREFIX/.orvane-prefix-3"
  [ -f "$stamp" ] && return 0
  rm -rf "$orvane_build_dir/wine"
  mkdir -p "$ORVANE_WINE_HOME" "$WINEPREFIX"
  echo "Creating the Wine prefix in $WINEPREFIX (once)..."
  orvane_wine wineboot -i >/dev/null 2>&1
  HOME="$ORVANE_WINE_HOME" /usr/lib/wine/wineserver -w
  # The faces the program names are drawn with the IPA fonts; a crash must fail a
  # test rather than wait on a dialog; the virtual desktop gives Windows-like frames
  # and lets the program and the test driver see each other's windows.
  local reg="$orvane_build_dir/wine/orvane.reg"
  printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ 明朝"="IPAMincho"' '"ＭＳ Ｐ明朝"="IPAPMincho"' \
    '"ＭＳ ゴシック"="IPAGothic"' '"ＭＳ Ｐゴシック"="IPAPGothic"' \
    '"Meiryo UI"="IPAPGothic"' '"MS UI Gothic"="IPAPGothic"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="orvane"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"orvane"="1920x1080"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  orvane_wine regedit /S "$(orvane_wine winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  HOME="$ORVANE_WINE_HOME" /usr/lib/wine/wineserver -w
  touch "$stamp"
}

orvane_wine_start() {
  orvane_start_xvfb || return 1
  orvane_make_prefix || return 1
  # A persistent wineserver makes every later start cheap. It fails when
  # another run already serves this prefix; that one is then used, not stopped.
  HOME="$ORVANE_WINE_HOME" /usr/lib/wine/wineserver -p || return 1
  orvane_started_wineserver=yes
  orvane_keep_desktop
}

# Wine closes its virtual desktop when it counts no program on it for a
# second, and a program starting just then ends on an X error: the keeper
# (a test build's) stays on it until the server stops.
orvane_keep_desktop() {
  local keeper="$orvane_build_dir/orvane_desktop_keeper.exe" ready="$orvane_build_dir/wine/keeper-ready"
  [ -f "$keeper" ] || return 0
  rm -f "$ready"
  orvane_wine "$keeper" "Z:${ready//\//\\}" >/dev/null 2>&1 &
  orvane_wait 30 test -e "$ready" || echo "the desktop keeper did not start" >&2
}

# Starts Wine, or goes on with the one another run already serves.
orvane_wine_join() { # orvane_wine_join NAME: NAME says who could not start it
  orvane_wine_start && return 0
  xdpyinfo -display "${DISPLAY:-}" >/dev/null 2>&1 && return 0
  echo "$1: Wine did not start" >&2
  orvane_wine_stop
  return 1
}

# Stops only what this run started: killing another run's wineserver would
# end its programs mid-test, silently, with exit code 1.
orvane_wine_stop() {
  if [ -n "$orvane_started_wineserver" ]; then
    HOME="$ORVANE_WINE_HOME" /usr/lib/wine/wineserver -k >/dev/null 2>&1
    orvane_started_wineserver=""
  fi
  if [ -n "$orvane_started_xvfb" ]; then
    kill "$orvane_started_xvfb" 2>/dev/null
    wait "$orvane_started_xvfb" 2>/dev/null
    orvane_started_xvfb=""
  fi
  return 0
}
