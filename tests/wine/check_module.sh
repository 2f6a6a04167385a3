#!/usr/bin/env bash
# Checks the built module's file type, export table and import table.
set -euo pipefail
dll="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -f "$dll" ] || fail "no module at $dll"
kind=$(file -b "$dll")
case "$kind" in
  *PE32\ executable*\(DLL\)*Intel\ 80386*) echo "ok: $kind" ;;
  *) fail "not a 32-bit x86 DLL: $kind" ;;
esac

dump=$(i686-w64-mingw32-objdump -p "$dll")
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
