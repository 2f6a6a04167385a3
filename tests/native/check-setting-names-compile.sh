#!/usr/bin/env bash
# The well-formed use compiles and every mistaken form is refused.
# Arguments: the C++ compiler and the plug-in's source folder.
set -uo pipefail
compiler="$1" plugins="$2"
source="$(dirname "$0")/setting_by_name_compile.cpp"
compile() { "$compiler" -std=c++17 -fsyntax-only -I "$plugins" -DZELT_CASE="$1" "$source" 2>/dev/null; }
status=0
if ! compile 0; then
    echo "the well-formed use does not compile:" >&2
    "$compiler" -std=c++17 -fsyntax-only -I "$plugins" -DZELT_CASE=0 "$source"
    status=1
fi
for mistaken in 1 2 3 4 5 6 7; do
    if compile "$mistaken"; then
        echo "form $mistaken of $source compiles, but must be refused" >&2
        status=1
    fi
done
exit "$status"
