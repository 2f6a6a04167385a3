#!/usr/bin/env bash
# Runs a Windows program of the project under Wine in the project's private
# prefix, on a virtual display when there is no real one.
#   wine-run.sh --prepare        make the prefix if it does not exist yet
#   wine-run.sh PROGRAM [ARGS]   run PROGRAM (a Unix path) with ARGS
# WINEPREFIX defaults to ./build/wineprefix; the program starts with its
# current directory on the prefix's drive C.
set -euo pipefail

export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win32
# No Mono or Gecko installers, and no crash debugger: a crashing test program
# must end with an error, not wait for a debugger nobody attends.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winedbg.exe=}"

prepare() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    echo "Creating Wine prefix $WINEPREFIX" >&2
    if ! timeout 300 wineboot -i >/dev/null 2>&1; then
      echo "wine-run: could not create the Wine prefix $WINEPREFIX" >&2
      echo "wine-run: NOTE FROM THE LEAD: read /work/wt/LEAD-NOTICE.md (32-bit Wine cannot run on this machine)" >&2
      exit 1
    fi
    # Unmanaged windows: otherwise Wine waits about 2 s for a window manager
    # that never comes each time a sheet or dialog closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    timeout 120 wineserver -w || true
  fi
}

if [ "${1:-}" = "--prepare" ]; then
  prepare
  exit 0
fi

[ $# -ge 1 ] || { echo "usage: $0 --prepare | PROGRAM [ARGS...]" >&2; exit 2; }
prepare
program="$1"
shift
[ -f "$program" ] && program="$(realpath "$program")"
cd "$WINEPREFIX/drive_c"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$program" "$@"
else
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$program" "$@"
fi
