#!/usr/bin/env bash
# One place for running Windows programs under Wine, shared by `make run`, the tests and the benchmarks.
#   tools/wine.sh run PROGRAM.exe [ARGS]      run on the user's display, inside the virtual desktop
#   tools/wine.sh session [--xvfb] -- CMD...  start Wine (and Xvfb), run CMD, then stop everything
#   tools/wine.sh exec PROGRAM.exe [ARGS]     run one program in an environment set up by `session`
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
state="$root/build/wine"
export WINEPREFIX="${OMBRIX_WINEPREFIX:-$state/prefix}"
# Debian's /usr/bin/wine picks the 32-bit loader, which this machine cannot execute.
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
# zh_CN.UTF-8 makes the ANSI code page 936, the one the program's texts are written in.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
screen=1024x768

wine() { "$WINELOADER" "$@"; }

# A prefix whose processes all open in one virtual desktop named "shell": it gives a taskbar with a
# notification area, and captions drawn by Wine.
ensure_prefix() {
  mkdir -p "$state"
  if [ ! -f "$WINEPREFIX/.ombrix-ready" ]; then
    rm -rf "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$screen" /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.ombrix-ready"
  fi
  # This Wine reads fonts from the prefix, not from fonts-wine's folder: the caption buttons' symbols.
  local marlett="$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  [ -f "$marlett" ] || cp /usr/share/wine/fonts/marlett.ttf "$marlett"
}

# The desktop's X window appears once explorer has set it up.
wait_for_desktop() {
  local deadline=$((SECONDS + 60))
  until xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop'; do
    if ((SECONDS > deadline)); then echo "wine.sh: the Wine desktop did not appear" >&2; return 1; fi
    sleep 0.2
  done
}

start_xvfb() {
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${screen}x24" -nolisten tcp >"$state/xvfb-$n.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    local deadline=$((SECONDS + 20))
    until xdpyinfo >/dev/null 2>&1; do
      if ((SECONDS > deadline)); then echo "wine.sh: Xvfb did not start" >&2; return 1; fi
      sleep 0.1
    done
    return 0
  done
  echo "wine.sh: no free X display number" >&2
  return 1
}

stop_all() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "${session_prefix:-}" ]; then rm -rf "$session_prefix"; fi
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}

case "${1:-}" in
  run)
    shift
    if [ -z "${DISPLAY:-}" ]; then
      echo "There is no display to show Ombrix on: DISPLAY is not set." >&2
      echo "Run this from a graphical session, or start one, e.g.: Xvfb :1 & DISPLAY=:1 make run" >&2
      exit 1
    fi
    ensure_prefix
    exec "$WINELOADER" "$@"
    ;;
  session)
    shift
    use_xvfb=0
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
      case "$1" in --xvfb) use_xvfb=1 ;; *) echo "wine.sh: unknown option $1" >&2; exit 2 ;; esac
      shift
    done
    [ "${1:-}" = -- ] && shift
    mkdir -p "$state"
    trap stop_all EXIT
    trap 'exit 130' INT TERM
    if ((use_xvfb)) || [ -z "${DISPLAY:-}" ]; then start_xvfb; fi
    ensure_prefix
    # A private copy of the prefix: the wineserver belongs to the prefix, so sessions running side
    # by side each get their own, and one session ending does not stop another's programs.
    session_prefix="$state/session-$$"
    rm -rf "$session_prefix"
    cp -a "$WINEPREFIX" "$session_prefix"
    export OMBRIX_WINEPREFIX="$session_prefix" WINEPREFIX="$session_prefix"
    # A persistent server and one finished wineboot before the command: a first Wine process started
    # inside ctest would leave helper processes holding ctest's pipes.
    "$WINESERVER" -p
    wine wineboot >/dev/null 2>&1
    wine explorer /desktop=shell,$screen >/dev/null 2>&1 &
    wait_for_desktop
    set +e
    "$@"
    rc=$?
    set -e
    exit $rc
    ;;
  exec)
    shift
    exec "$WINELOADER" "$@"
    ;;
  *)
    sed -n '2,5p' "$0" >&2
    exit 2
    ;;
esac
