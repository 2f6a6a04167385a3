#!/usr/bin/env bash
# Benchmark of the Copy Options page's journal "Print" through the real page,
# sheet, spooler and capture port under Wine: one current journal of 64 MiB,
# and "<All>" over 200 archived journals of 64 KiB. Reports medians of several
# runs: wall time against the Wine floor (journal_benchmark.exe's own minimal
# reading of the same files with the same C runtime calls, each sent as one
# raw job), for information against `cat` of the same files natively, and the
# growth of the process's peak working set against the largest journal.
# Builds nothing; build first (scripts/build.sh).
#   bench-journals.sh [--runs N]     (default 5 timed runs, 3 memory runs)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=5
memory_runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "bench-journals: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
[ -f "$bin/journal_benchmark.exe" ] || { echo "bench-journals: $bin/journal_benchmark.exe is missing; build first" >&2; exit 1; }
export LANG=en_US.UTF-8

ratio() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { printf "%.*f", d, a / b }'; }
median() { tr -d '\r' | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ms_now() { date +%s%N; }

echo "| Journals | Print (ms) | Wine floor (ms) | Ratio to floor | Goal | native cat (ms) | Ratio to cat | Peak growth (bytes) | Floor peak growth | Largest + 2 MiB |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for scenario in big all; do
  times=$("$root/scripts/wine-run.sh" "$bin/journal_benchmark.exe" "$scenario" time "$runs" 2>/dev/null | tr -d '\r' | grep -a '^time ')
  plugin_ms=$(echo "$times" | awk '{ print $3 }' | median)
  floor_ms=$(echo "$times" | awk '{ print $4 }' | median)

  folder=$(find "$WINEPREFIX/drive_c" -maxdepth 4 -ipath '*/zelt/zelt page test qrvx10/zeltrasterjournaldata' | head -n 1)
  cat_ms=$(for ((r = 0; r < runs; r++)); do
    start=$(ms_now); cat "$folder"/*.zrj >/dev/null; end=$(ms_now)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f\n", (b - a) / 1000000 }'
  done | median)

  growth() {
    for ((r = 0; r < memory_runs; r++)); do
      "$root/scripts/wine-run.sh" "$bin/journal_benchmark.exe" "$scenario" memory "$1" 2>/dev/null |
        tr -d '\r' | awk '/^memory/ { print $6 - $4 }'
    done | median
  }
  plugin_growth=$(growth plugin)
  floor_growth=$(growth floor)
  if [ "$scenario" = big ]; then label="1 x 64 MiB (<Current>)"; largest=67108864; else label="200 x 64 KiB (<All>)"; largest=65536; fi
  echo "| $label | $plugin_ms | $floor_ms | $(ratio "$plugin_ms" "$floor_ms" 2) | <= 1.5 | $cat_ms | $(ratio "$plugin_ms" "$cat_ms" 1) | $plugin_growth | $floor_growth | $((largest + 2097152)) |"
done
