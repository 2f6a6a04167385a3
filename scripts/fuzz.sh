#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# the given number of seconds (default 60), starting from the committed seed
# corpus. New inputs go to build-fuzz/corpus/<target>; a crash leaves its
# input in build-fuzz/crashes/<target> and fails the script.
# Usage: scripts/fuzz.sh [seconds-per-target] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(setting_loader logo_stream store_paths); fi

cmake -S tests/fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/%/_fuzz}"

status=0
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$target"
  crashes="build-fuzz/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  log="build-fuzz/$target.log"
  echo "== $target: ${seconds}s"
  if ! "build-fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$crashes/" "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    status=1
    echo "   CRASH: see $log and $crashes"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cover=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  echo "   ${runs:-?} runs, ${rate:-?} exec/s, ${cover:-cov: ?}"
done
exit $status
