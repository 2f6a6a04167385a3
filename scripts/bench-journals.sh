#!/usr/bin/env bash
# Benchmark of the Copy Options page's journal "Print" through the real page,
# sheet, spooler and capture port under Wine: one current journal of 64 MiB,
# and "<All>" over 200 archived journals of 64 KiB. In one process and one
# run, alternating with the floor: each journal read once with CreateFileW
# and ReadFile into one buffer and sent as one raw job to the same printer;
# both timed until the last job has arrived whole at the port. Reports
# medians with their range, the ratio of the medians, the per-run (paired)
# ratios, where the time goes (reading the files, the spooler's copy of each
# job, the port, the rest; from the same runs), and the growth of the
# process's peak working set against the largest journal. Builds nothing;
# build first (scripts/build.sh).
#   bench-journals.sh [--runs N]     (default 9 timed runs of each, 3 memory runs)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/bench-common.sh"
runs=9
memory_runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    *) echo "bench-journals: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
[ -f "$bin/journal_benchmark.exe" ] || { echo "bench-journals: $bin/journal_benchmark.exe is missing; build first" >&2; exit 1; }
export LANG=en_US.UTF-8
run() { "$root/scripts/wine-run.sh" "$bin/journal_benchmark.exe" "$@" 2>/dev/null | tr -d '\r'; }

load_before=$(load_now)
table="| Journals | Plug-in (ms) | Floor (ms) | Ratio of medians | Paired ratios | Goal | Peak growth (bytes) | Floor peak growth | Largest + 1 MiB |
|---|---|---|---|---|---|---|---|---|"
phases="| Journals | Who | Reading (ms) | Spooler's copy, WritePrinter (ms) | Port, EndDocPrinter (ms) | Rest (ms) |
|---|---|---|---|---|---|"
for scenario in big all; do
  output=$(run "$scenario" phases "$runs")
  times=$(echo "$output" | grep -a '^time ') ||
    { echo "bench-journals: the timed runs of '$scenario' failed" >&2; exit 1; }
  growth() {
    for ((r = 0; r < memory_runs; r++)); do run "$scenario" memory "$1" | awk '/^memory/ { print $6 - $4 }'; done | median
  }
  if [ "$scenario" = big ]; then
    label="1 x 64 MiB (<Current>)" largest=67108864 goal=1.15
  else
    label="200 x 64 KiB (<All>)" largest=65536 goal=1.1
  fi
  table+=$'\n'"| $label | $(timing_cells "$times" 3 4) | <= $goal | $(growth plugin) | $(growth floor) | $((largest + 1048576)) |"
  for who in plugin floor; do
    cells=""
    for field in 3 4 5 6; do
      cells+=" $(echo "$output" | awk -v w="$who" -v f="$field" '$1 == "phases" && $2 == w { print $f }' | spread) |"
    done
    phases+=$'\n'"| $label | $who |$cells"
  done
done
echo "$table"
echo
echo "Where the time goes, per print:"
echo
echo "$phases"
echo
echo "$runs timed runs of each, interleaved; load average $load_before before, $(load_now) after, on $(nproc) cores."
