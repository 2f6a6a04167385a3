#!/usr/bin/env bash
# Benchmark of the Logo page's "Print All Logos" (Generate To Document Top)
# through the real page, sheet, spooler and capture port under Wine, for
# 1,000 logos of 4 KiB and for 20 logos of 1 MiB. In one process and one run,
# alternating with the floor: the same files read once with CreateFileW and
# ReadFile into one buffer, framed alike and sent as one raw job to the same
# printer; both timed until the job has arrived whole at the port. Reports
# medians with their range, the ratio of the medians, the per-run (paired)
# ratios, and the growth of the process's peak working set against the
# stream's size. Builds nothing; build first (scripts/build.sh).
#   bench-logos.sh [--runs N]     (default 9 timed runs of each, 3 memory runs)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/bench-common.sh"
runs=9
memory_runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    *) echo "bench-logos: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
[ -f "$bin/logo_benchmark.exe" ] || { echo "bench-logos: $bin/logo_benchmark.exe is missing; build first" >&2; exit 1; }
export LANG=en_US.UTF-8
run() { "$root/scripts/wine-run.sh" "$bin/logo_benchmark.exe" "$@" 2>/dev/null | tr -d '\r'; }

load_before=$(load_now)
echo "| Logos | Stream bytes | Plug-in (ms) | Floor (ms) | Ratio of medians | Paired ratios | Goal | Peak growth (bytes) | Floor peak growth | Stream + 1 MiB |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for config in "1000 4096 1.5" "20 1048576 1.1"; do
  set -- $config
  count=$1 size=$2 goal=$3
  times=$(run "$count" "$size" time "$runs" | grep '^time ') ||
    { echo "bench-logos: the timed runs of $count x $size failed" >&2; exit 1; }
  growth() {
    for ((r = 0; r < memory_runs; r++)); do run "$count" "$size" memory "$1" | awk '/^memory/ { print $6 - $4 }'; done | median
  }
  stream=$((count * (63 + size) + 4))
  echo "| $count x $size | $stream | $(timing_cells "$times" 3 4) | <= $goal | $(growth plugin) | $(growth floor) | $((stream + 1048576)) |"
done
echo
echo "$runs timed runs of each, interleaved; load average $load_before before, $(load_now) after, on $(nproc) cores."
