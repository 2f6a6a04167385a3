#!/usr/bin/env bash
# Builds the native unit tests and, through them, the cross-compiled DLL, the
# driver UI host and the Wine test programs of both architectures
# (build/win32/bin for x86, build/win64/bin for x64).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
