#!/usr/bin/env bash
# Benchmark of the Logo page's "Print All Logos" (Generate To Document Top)
# through the real page, sheet, spooler and capture port under Wine, for
# 1,000 logos of 4 KiB and for 20 logos of 1 MiB. Reports medians of several
# runs: wall time against the Wine floor (logo_benchmark.exe's own minimal
# reading of the same files with the same C runtime calls, sent as one raw
# job), for information against `cat` of the same files natively, and the
# growth of the process's peak working set against the stream's size.
# Builds nothing; build first (scripts/build.sh).
#   bench-logos.sh [--runs N]     (default 7 timed runs, 3 memory runs)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=7
memory_runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "bench-logos: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
[ -f "$bin/logo_benchmark.exe" ] || { echo "bench-logos: $bin/logo_benchmark.exe is missing; build first" >&2; exit 1; }
export LANG=en_US.UTF-8

ratio() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { printf "%.*f", d, a / b }'; }
median() { tr -d '\r' | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ms_now() { date +%s%N; }

echo "| Logos | Stream bytes | Print All Logos (ms) | Wine floor (ms) | Ratio to floor | Goal | native cat (ms) | Ratio to cat | Peak growth (bytes) | Floor peak growth | Stream + 2 MiB |"
echo "|---|---|---|---|---|---|---|---|---|---|---|"
for config in "1000 4096 3" "20 1048576 1.5"; do
  set -- $config
  count=$1 size=$2 goal=$3
  times=$("$root/scripts/wine-run.sh" "$bin/logo_benchmark.exe" "$count" "$size" time "$runs" 2>/dev/null | tr -d '\r' | grep '^time ')
  plugin_ms=$(echo "$times" | awk '{ print $3 }' | median)
  floor_ms=$(echo "$times" | awk '{ print $4 }' | median)

  folder=$(find "$WINEPREFIX/drive_c" -maxdepth 4 -ipath '*/zelt/zelt page test qrvx10/zeltrasterlogodata' | head -n 1)/StartDoc
  files=()
  for ((n = 0; n < count; n++)); do files+=("$folder/$n.zrl"); done
  cat_ms=$(for ((r = 0; r < runs; r++)); do
    start=$(ms_now); cat "${files[@]}" >/dev/null; end=$(ms_now)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f\n", (b - a) / 1000000 }'
  done | median)

  growth() {
    for ((r = 0; r < memory_runs; r++)); do
      "$root/scripts/wine-run.sh" "$bin/logo_benchmark.exe" "$count" "$size" memory "$1" 2>/dev/null |
        tr -d '\r' | awk '/^memory/ { print $6 - $4 }'
    done | median
  }
  plugin_growth=$(growth plugin)
  floor_growth=$(growth floor)
  stream=$((count * (63 + size) + 4))
  echo "| $count x $size | $stream | $plugin_ms | $floor_ms | $(ratio "$plugin_ms" "$floor_ms" 2) | <= $goal | $cat_ms | $(ratio "$plugin_ms" "$cat_ms" 1) | $plugin_growth | $floor_growth | $((stream + 2097152)) |"
done
