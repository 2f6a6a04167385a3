#!/usr/bin/env bash
# Regenerates docs/performance.md: the time from the host's request for the
# pages to every page shown, per printer model, against two floors in the
# same run (a sheet of as many empty pages, and the plug-in's own templates
# behind dialog procedures that do nothing); the logo print benchmark against
# its floor; the module's size. The journal benchmark keeps its own report
# (docs/journal-benchmark.md, from scripts/bench-journals.sh), which takes
# about ten minutes and about 8 GB of passing disk. Builds nothing; build
# first (scripts/build.sh).
#   perf-report.sh [--runs N]     (default 15 timed openings per model and sheet)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/bench-common.sh"
runs=15
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "perf-report: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
[ -f "$bin/sheet_benchmark.exe" ] || { echo "perf-report: $bin/sheet_benchmark.exe is missing; build first" >&2; exit 1; }
export LANG=en_US.UTF-8

models=(QRVX10.GPD QRVC31.GPD QRVA57.GPD QRVA59.GPD QRVB15.GPD QRVB15_FIXZOOM.GPD QRVB18.GPD QWNB18_ZOOM.GPD
        QRVC252.GPD QRVD67_ZOOM.GPD QWNB15_ZOOM.GPD 'B18\PLAIN.GPD' QRV_A57_C252.GPD)

load_before=$(load_now)
times=$("$root/scripts/wine-run.sh" "$bin/sheet_benchmark.exe" "$runs" "${models[@]}" 2>/dev/null | tr -d '\r' | grep '^time ')
sheet_rows=$(for model in "${models[@]}"; do
  lines=$(echo "$times" | awk -v m="$model" '$2 == m')
  [ -n "$lines" ] || { echo "perf-report: no timings for $model" >&2; exit 1; }
  pages=$(echo "$lines" | awk 'NR == 1 { print $3 }')
  empty=$(echo "$lines" | awk '{ print $5 }' | median)
  plugin=$(echo "$lines" | awk '{ print $4 }' | median)
  spooler=$(echo "$lines" | awk '{ print $7 }' | median)
  controls=$(echo "$lines" | awk '{ print $8 }' | median)
  echo "| \`$model\` | $pages | $(echo "$lines" | awk '{ print $5 }' | spread) | $(ratio "$plugin" "$empty") | $(timing_cells "$lines" 4 6) | $spooler | $controls |"
done)
load_after_sheets=$(load_now)

logos=$(bash "$root/scripts/bench-logos.sh")
# The module of each architecture built, named by its own header.
modules=$(for dll in "$root/build/win32/bin/ZeltRasUI.dll" "$root/build/win64/bin/ZeltRasUI.dll"; do
  [ -f "$dll" ] || continue
  if file -b "$dll" | grep -q 'PE32+'; then
    echo "| 64-bit | $(stat -c %s "$dll") | <= 204800 (200 KiB) |"
  else
    echo "| 32-bit | $(stat -c %s "$dll") | <= 153600 (150 KiB) |"
  fi
done)

cat > "$root/docs/performance.md" <<REPORT
# Performance report

Regenerate with \`bash scripts/perf-report.sh\` after \`bash scripts/build.sh\`.
Measured $(date -u +%Y-%m-%d) on $(nproc) cores under Wine $( (/usr/lib/wine/wine64 --version || wine --version) 2>/dev/null | head -n 1 | sed 's/wine-//'),
$ZELT_WINE_ARCH module.
The machine is shared with other builds and tests: the 1-minute load
average was $load_before when the sheets were timed and $load_after_sheets after them.
Every timing is the median of several runs in one process with its range
in brackets; the plug-in and its floors alternate run by run, so that load
that comes and goes falls on both. The paired ratios are each run's ratio
against the floor timed next to it, as median [range].

## Opening the Properties sheet

From the host's request for the pages (CommonPropertySheetUIW through
DevicePropertySheets) to every page shown once in turn, against two floors
opened the same way in the same process: a sheet of as many empty pages
(the sheet's own cost), and the plug-in's own dialog templates behind dialog
procedures that do nothing (the cost of the controls themselves). The ratio
against the second floor is the plug-in's own work: loading its values from
the spooler and filling its lists. Goal: at most 1.15. The last two columns
are the medians of the plug-in's time in its spooler calls (GetPrinterDataW,
SetPrinterDataW, GetPrinterW, GetPrinterDriverW) and in its strings and
control calls (LoadStringW, SendDlgItemMessageW, SendMessageW,
CheckDlgButton, EnableWindow, SetDlgItemTextW), timed through its import
table. $runs timed openings of each sheet per model, after one
untimed opening of each.

| Model data file | Pages | Empty pages (ms) | Plug-in / empty pages | Plug-in (ms) | Templates, no work (ms) | Ratio of medians | Paired ratios | In spooler calls (ms) | In strings and control calls (ms) |
|---|---|---|---|---|---|---|---|---|---|
$sheet_rows

Where the plug-in's own share goes, per sheet (measured through its import
table on 2026-12-08): one GetPrinterDataW for each value its pages show (19
to 25 values, about 0.2 ms each under Wine, whose spooler opens the
printer's keys anew for every value); one EnableWindow for each control
whose state the stored values change (20 to 31 controls, about 0.1 ms each
and 0.4 to 0.6 ms for a drop-down list, which changes its own parts too);
the lists' items, the checks and the number fields (2 to 3 ms); one driver
query each on the standard Raster page and the Logo page (about 0.8 ms
each). That is one call for each fact a page shows. The rest was cut: the
driver was asked at every reason of the sheet, with two queries each time;
controls were enabled or disabled whether or not their state changed; every
list item looked its list up again among the page's children. The host's
wait for the sheet's window looks every 5 ms (it looked every 20 ms, which
added up to 20 ms of idle time to an opening, more often to the slower
sheet).

## Print All Logos (\`bash scripts/bench-logos.sh\`)

$logos

## Printing journals

In [the journal benchmark](journal-benchmark.md) (\`bash scripts/bench-journals.sh\`).

## The module

Stripped, the C and C++ runtimes linked statically, nothing imported beyond
system DLLs. The 64-bit module carries the unwind data (\`.pdata\`/\`.xdata\`)
of every function, without which x64 Windows cannot walk through its frames;
it costs 5120 bytes (measured 2026-12-09: 100864 bytes without, 105984 with).
The 32-bit module needs none and has none.

| Module | Bytes | Goal |
|---|---|---|
$modules
REPORT
echo "Report: $root/docs/performance.md"
