#!/usr/bin/env bash
# Checks a built module's file type, export table and import table.
#   check_module.sh x86|x64 PATH/ZeltRasUI.dll
set -euo pipefail
arch="$1"
dll="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }

case "$arch" in
  x86) pattern='PE32 executable*(DLL)*Intel 80386*'; objdump=i686-w64-mingw32-objdump ;;
  x64) pattern='PE32+ executable*(DLL)*x86-64*'; objdump=x86_64-w64-mingw32-objdump ;;
  *) fail "unknown architecture $arch" ;;
esac
[ -f "$dll" ] || fail "no module at $dll"
kind=$(file -b "$dll")
# shellcheck disable=SC2053 # the pattern is a glob on purpose
[[ "$kind" == $pattern ]] || fail "not an $arch DLL: $kind"
echo "ok: $kind"

dump=$($objdump -p "$dll")
exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk 'NR>1 && NF {print $NF}' | sort | tr '\n' ' ')
[ "$exports" = "DllCanUnloadNow DllGetClassObject " ] || fail "exports are '$exports'"
echo "ok: exports $exports"

imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/ {print toupper($3)}' | sort -u)
system_dlls=" KERNEL32.DLL USER32.DLL GDI32.DLL COMCTL32.DLL WINSPOOL.DRV MSVCRT.DLL ADVAPI32.DLL OLE32.DLL "
for name in $imports; do
  case "$system_dlls" in
    *" $name "*) ;;
    *) fail "imports a non-system DLL: $name" ;;
  esac
done
echo "ok: imports" $imports
