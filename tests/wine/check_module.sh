#!/usr/bin/env bash
# Checks a built module's file type, export table and import table, and on
# x64 that every function of the module's own code has unwind data.
#   check_module.sh x86|x64 PATH/ZeltRasUI.dll
# The x64 check reads the link map the build writes beside the module
# (ZeltRasUI.map): the module is stripped, the map still names each function.
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

[ "$arch" = x64 ] || exit 0

# x64 Windows finds a frame only through its function's .pdata entry; a
# function without one is taken for a leaf, and no exception, crash dump or
# debugger walks through it. Each function of the module's own objects (one
# code section each: the module is compiled with -ffunction-sections) must
# begin a .pdata entry.
map="${dll%.dll}.map"
[ -f "$map" ] || fail "no link map beside the module: $map"
begins=$(printf '%s\n' "$dump" |
  awk '/^The Function Table/ {table = 1; next} table && /^ [0-9a-f]+:/ {print $2} table && /^$/ {table = 0}')
# "ADDRESS NAME" of each code section with bytes that the module's own
# objects put into .text; a long section name stands alone on its line.
functions=$(awk '
  /^[^ ]/ { text = ($1 == ".text"); next }
  text && /^ \.text/ {
    name = $1
    if (NF < 4) { getline; address = $1; size = $2; file = $3 } else { address = $2; size = $3; file = $4 }
    if (file ~ /ZeltRasUI\.dir/ && size != "0x0") print substr(address, 3), name
  }' "$map")
[ -n "$functions" ] || fail "no function of the module's own code in $map"

# The map belongs to this module: each export lies where the map puts it,
# and is among the functions checked.
base=$(printf '%s\n' "$dump" | awk '$1 == "ImageBase" {print $2}')
export_rvas=$(printf '%s\n' "$dump" | awk '/^Export Address Table --/ {table = 1; next} table && /Export RVA/ {print $(NF - 2)} table && /^$/ {table = 0}')
export_names=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk 'NR>1 && NF {print $NF}')
while read -r rva name; do
  address=$(printf '%016x' $((16#$base + 16#$rva)))
  in_map=$(awk -v name="$name" '$2 == name && $1 ~ /^0x/ {print substr($1, 3); exit}' "$map")
  [ "$in_map" = "$address" ] || fail "$map is not this module's link map: $name at $address, the map says '${in_map}'"
  printf '%s\n' "$functions" | awk -v a="$address" '$1 == a {found = 1} END {exit !found}' ||
    fail "export $name is not among the functions found in $map"
done < <(paste <(printf '%s\n' "$export_rvas") <(printf '%s\n' "$export_names"))

missing=$(awk 'NR == FNR {begins[$1] = 1; next} !($1 in begins) {sub(/^\.text\$/, "", $2); print $2}' \
  <(printf '%s\n' "$begins") <(printf '%s\n' "$functions") | x86_64-w64-mingw32-c++filt | sed 's/^/  /')
[ -z "$missing" ] || fail "functions without unwind data (.pdata):
$missing"
echo "ok: unwind data for all $(printf '%s\n' "$functions" | wc -l) functions of the module's own code, both exports included"
