#!/usr/bin/env bash
# Regenerates docs/performance.md: the time from the host's request for the
# pages to every page shown, per printer model, against a baseline sheet of
# the same number of empty pages in the same run; the logo and journal print
# benchmarks; the DLL's size. Builds nothing; build first (scripts/build.sh).
#   perf-report.sh [--runs N]     (default 9 timed openings per model)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=9
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,6p' "$0"; exit 0 ;;
    *) echo "perf-report: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
[ -f "$bin/sheet_benchmark.exe" ] || { echo "perf-report: $bin/sheet_benchmark.exe is missing; build first" >&2; exit 1; }
export LANG=en_US.UTF-8

models=(QRVX10.GPD QRVC31.GPD QRVA57.GPD QRVA59.GPD QRVB15.GPD QRVB15_FIXZOOM.GPD QRVB18.GPD QWNB18_ZOOM.GPD
        QRVC252.GPD QRVD67_ZOOM.GPD QWNB15_ZOOM.GPD 'B18\PLAIN.GPD' QRV_A57_C252.GPD)

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

times=$("$root/scripts/wine-run.sh" "$bin/sheet_benchmark.exe" "$runs" "${models[@]}" 2>/dev/null | tr -d '\r' | grep '^time ')
sheet_rows=$(for model in "${models[@]}"; do
  lines=$(echo "$times" | awk -v m="$model" '$2 == m')
  [ -n "$lines" ] || { echo "perf-report: no timings for $model" >&2; exit 1; }
  pages=$(echo "$lines" | awk 'NR == 1 { print $3 }')
  plugin=$(echo "$lines" | awk '{ print $4 }' | median)
  baseline=$(echo "$lines" | awk '{ print $5 }' | median)
  echo "| \`$model\` | $pages | $plugin | $baseline | $(ratio "$plugin" "$baseline") |"
done)

logos=$(bash "$root/scripts/bench-logos.sh")
journals=$(bash "$root/scripts/bench-journals.sh")
dll_bytes=$(stat -c %s "$bin/ZeltRasUI.dll")

cat > "$root/docs/performance.md" <<REPORT
# Performance report

Regenerate with \`bash scripts/perf-report.sh\` after \`bash scripts/build.sh\`.
Measured $(date -u +%Y-%m-%d) on $(nproc) cores under Wine $(wine --version 2>/dev/null | sed 's/wine-//'),
a machine other builds and tests may share: every figure is a median of
several runs in one run of the script, and single runs vary by a factor of
two.

## Opening the Properties sheet

From the host's request for the pages (CommonPropertySheetUIW through the
plug-in's DevicePropertySheets) to every page shown once in turn (each page
creates its controls and loads its values from the spooler), against a
baseline sheet of the same number of empty pages opened the same way in the
same process. The ratio is the plug-in's own cost. $runs timed openings of
each sheet per model, after one untimed opening of each.

| Model data file | Pages | Plug-in sheet (ms) | Empty-page baseline (ms) | Ratio |
|---|---|---|---|---|
$sheet_rows

## Print All Logos (\`scripts/bench-logos.sh\`)

$logos

## Printing journals (\`scripts/bench-journals.sh\`)

$journals

## The module

\`ZeltRasUI.dll\`: $dll_bytes bytes (stripped, C and C++ runtimes linked statically).
REPORT
echo "Report: $root/docs/performance.md"
