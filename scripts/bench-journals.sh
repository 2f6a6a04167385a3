#!/usr/bin/env bash
# Benchmark of the Copy Options page's journal "Print" through the real page,
# sheet, spooler and capture port under Wine: one current journal of 64 MiB,
# "<All>" over 200 archived journals of 64 KiB, and one current journal of
# 4 GiB and 1 MiB (a sparse file; each of its prints writes 4 GiB into the
# spooler's file and 4 GiB into the port's, both deleted after it). In one
# process and one run, alternating with the floor: each journal sent as one
# raw job to the same printer, read with CreateFileW and ReadFile in parts of
# the plug-in's size into one buffer; both timed until the last job has
# arrived whole at the port. Reports medians with their range, the ratio of
# the medians, the per-run (paired) ratios, where the time goes (reading the
# files, the spooler's copy of each job, the port, the rest; from the same
# runs), and the growth of the process's peak working set against a bound of
# 2 MiB. Builds nothing; build first (scripts/build.sh).
#   bench-journals.sh [--runs N] [--huge-runs N]
#     (default 9 timed runs of each, 8 of the 4 GiB journal, an even number because
#     whoever reads it first after a print pays for its pages; 3 memory runs, 1 of it)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/bench-common.sh"
runs=9
huge_runs=8
# Printing needs the same memory whatever the journal's length.
bound=2097152
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --huge-runs) huge_runs=$2; shift 2 ;;
    -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
    *) echo "bench-journals: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
[ -f "$bin/journal_benchmark.exe" ] || { echo "bench-journals: $bin/journal_benchmark.exe is missing; build first" >&2; exit 1; }
export LANG=en_US.UTF-8
run() { "$root/scripts/wine-run.sh" "$bin/journal_benchmark.exe" "$@" 2>/dev/null | tr -d '\r'; }

load_before=$(load_now)
table="| Journals | Plug-in (ms) | Floor (ms) | Ratio of medians | Paired ratios | Goal | Peak growth (bytes) | Floor peak growth | Bound |
|---|---|---|---|---|---|---|---|---|"
phases="| Journals | Who | Reading (ms) | Spooler's copy, WritePrinter (ms) | Port, EndDocPrinter (ms) | Rest (ms) |
|---|---|---|---|---|---|"
for scenario in big all huge; do
  scenario_runs=$runs memory_runs=3
  [ "$scenario" = huge ] && scenario_runs=$huge_runs memory_runs=1
  output=$(run "$scenario" phases "$scenario_runs")
  times=$(echo "$output" | grep -a '^time ') ||
    { echo "bench-journals: the timed runs of '$scenario' failed" >&2; exit 1; }
  growth() {
    for ((r = 0; r < memory_runs; r++)); do run "$scenario" memory "$1" | awk '/^memory/ { print $6 - $4 }'; done | median
  }
  case $scenario in
    big) label="1 x 64 MiB (<Current>)" goal=1.15 ;;
    all) label="200 x 64 KiB (<All>)" goal=1.1 ;;
    huge) label="1 x 4 GiB + 1 MiB, sparse (<Current>)" goal=1.15 ;;
  esac
  table+=$'\n'"| $label | $(timing_cells "$times" 3 4) | <= $goal | $(growth plugin) | $(growth floor) | <= $bound |"
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
echo "$runs timed runs of each ($huge_runs of the 4 GiB journal), interleaved; peak growth the median of 3 fresh processes (1 for the 4 GiB journal); load average $load_before before, $(load_now) after, on $(nproc) cores."
