#!/usr/bin/env bash
# Runs a Windows program of the project under Wine in the project's private
# prefix, on a virtual display when there is no real one.
#   wine-run.sh --prepare        make the prefix unless it was made whole
#   wine-run.sh PROGRAM [ARGS]   run PROGRAM (a Unix path) with ARGS
# ZELT_WINE_ARCH picks the architecture: x86 (default; a 32-bit prefix,
# WINEPREFIX defaulting to ./build/wineprefix) or x64 (a 64-bit prefix,
# default ./build/wineprefix64). The program starts with its current
# directory on the prefix's drive C.
set -euo pipefail

case "${ZELT_WINE_ARCH:-x86}" in
  x86)
    export WINEARCH=win32
    export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"
    wine=wine
    wineserver=wineserver ;;
  x64)
    # Debian's wine wrapper prefers the 32-bit loader: call the 64-bit one.
    export WINEARCH=win64
    export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix64}"
    wine=/usr/lib/wine/wine64
    wineserver=/usr/lib/wine/wineserver64 ;;
  *) echo "wine-run: ZELT_WINE_ARCH must be x86 or x64" >&2; exit 2 ;;
esac
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers, and no crash debugger: a crashing test program
# must end with an error, not wait for a debugger nobody attends.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winedbg.exe=}"

# Some machines cannot run 32-bit Linux programs at all (no IA-32 emulation in
# the kernel): the 32-bit loader then cannot even start (exit 126). The x86
# tests can say nothing there, so they report themselves skipped (exit 77)
# instead of failing; any other failure of the loader still fails. The same
# holds where the 32-bit Wine could not be installed (install-deps.sh says so).
skip_without_loader() {
  local status=0
  if [ "${ZELT_WINE_ARCH:-x86}" = x86 ] && [ ! -x /usr/lib/wine/wine ]; then
    echo "wine-run: the 32-bit Wine (wine32:i386) is not installed; skipped" >&2
    exit 77
  fi
  "$wine" --version >/dev/null 2>&1 || status=$?
  if [ "$status" -eq 126 ]; then
    echo "wine-run: this machine cannot run the ${ZELT_WINE_ARCH:-x86} Wine loader (exec format error); skipped" >&2
    exit 77
  fi
}

# A prefix counts as made only when its stamp, written after the last step,
# is there: a wineboot that failed half way leaves system.reg behind, and a
# prefix taken as made from that would lack the steps after it. One this
# script began (its "making" mark) is made again from nothing; any other
# unstamped prefix (one named by the caller's WINEPREFIX) is made whole in
# place, never deleted.
prefix_stamp="$WINEPREFIX/.zelt-prefix-made"
prefix_making="$WINEPREFIX/.zelt-prefix-making"

prepare() {
  skip_without_loader
  [ -f "$prefix_stamp" ] && return 0
  # One maker at a time: a second caller waits for the first and then finds
  # its stamp, instead of taking its prefix for one left half made.
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  [ -f "$prefix_stamp" ] && { exec 9>&-; return 0; }
  if [ -f "$prefix_making" ]; then
    echo "Making the unfinished Wine prefix $WINEPREFIX again" >&2
    "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -e "$WINEPREFIX" ]; then
    mkdir -p "$WINEPREFIX"
    touch "$prefix_making"
  fi
  echo "Creating Wine prefix $WINEPREFIX" >&2
  if ! timeout 300 "$wine" wineboot -i >/dev/null 2>&1; then
    echo "wine-run: could not create the Wine prefix $WINEPREFIX" >&2
    exit 1
  fi
  # Unmanaged windows: otherwise Wine waits about 2 s for a window manager
  # that never comes each time a sheet or dialog closes.
  if ! "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1; then
    echo "wine-run: could not make the windows of $WINEPREFIX unmanaged" >&2
    exit 1
  fi
  # The registry is written out when the server ends: not made until then.
  if ! timeout 120 "$wineserver" -w; then
    echo "wine-run: the Wine server of $WINEPREFIX did not end" >&2
    exit 1
  fi
  touch "$prefix_stamp"
  rm -f "$prefix_making"
  exec 9>&-
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
  exec "$wine" "$program" "$@"
else
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$program" "$@"
fi
