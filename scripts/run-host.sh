#!/usr/bin/env bash
# Runs the driver UI host on one printer model, once in English and once in
# Japanese (headless under Xvfb when there is no display): a picture of every
# page of the Properties sheet and the printer's stored values land in the
# output folder. Builds nothing; build first (scripts/build.sh).
set -euo pipefail

usage() {
  cat <<'USAGE'
usage: run-host.sh [--model NAME.GPD | --data-file 'SUB\NAME.GPD'] [--second-model NAME.GPD] [--out DIR]
                   [--arch x86|x64]
  --model NAME.GPD     model data file (default QWNB18_ZOOM.GPD)
  --data-file SUBPATH  data file in a subfolder of the driver folder, e.g. 'B18\PLAIN.GPD'
  --second-model NAME.GPD
                       also open a second printer's sheet at the same time; adds its
                       pages and one picture of both sheets on Copy Options
  --out DIR            output folder (default ./out/host)
  --arch x86|x64       which module and Wine to run: the 64-bit one (default) or the 32-bit one
Environment: ZELT_WINE_ARCH (as --arch), ZELT_BIN (default build/win64/bin, or
build/win32/bin for x86), WINEPREFIX (default build/wineprefix64, or
build/wineprefix for x86).
USAGE
}

root=$(cd "$(dirname "$0")/.." && pwd)
model=(--model QWNB18_ZOOM.GPD)
second=()
out=$PWD/out/host
while [ $# -gt 0 ]; do
  case "$1" in
    --model|--data-file)
      [ $# -ge 2 ] && [ -n "$2" ] || { echo "run-host: $1 needs a value" >&2; usage >&2; exit 2; }
      model=("$1" "$2"); shift 2 ;;
    --second-model)
      [ $# -ge 2 ] && [ -n "$2" ] || { echo "run-host: $1 needs a value" >&2; usage >&2; exit 2; }
      second=("$1" "$2"); shift 2 ;;
    --arch)
      case "${2:-}" in x86|x64) export ZELT_WINE_ARCH=$2 ;; *) echo "run-host: --arch takes x86 or x64" >&2; exit 2 ;; esac
      shift 2 ;;
    --out)
      [ $# -ge 2 ] && [ -n "$2" ] || { echo "run-host: --out needs a folder" >&2; exit 2; }
      out=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) echo "run-host: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
  esac
done

. "$root/scripts/wine-arch.sh"
for file in ZeltDriverHost.exe ZeltRasUI.dll; do
  if [ ! -f "$bin/$file" ]; then
    echo "run-host: $bin/$file is missing; build first with: bash scripts/build.sh" >&2
    exit 1
  fi
done
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/*.png "$out"/host-*.log "$out"/values-*.txt

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "run-host: the ja_JP.UTF-8 locale is missing; Wine will show English pages (run scripts/install-deps.sh)" >&2
fi

# The first run starts from no stored values, so the pictures show what a
# new printer shows and the table what the pages repaired.
reset=(--reset)
for lang in en ja; do
  log=$out/host-$lang.log
  case $lang in en) locale_name=en_US.UTF-8 ;; ja) locale_name=ja_JP.UTF-8 ;; esac
  echo "Running the host ($lang) ..."
  if ! LANG=$locale_name timeout 300 "$root/scripts/wine-run.sh" "$bin/ZeltDriverHost.exe" "${model[@]}" "${second[@]}" "${reset[@]}" \
      --headless --shots "$out" --jobs "$out/jobs" --values >"$log" 2>&1; then
    cat "$log" >&2
    echo "run-host: the host failed ($lang run); its output is in $log" >&2
    exit 1
  fi
  sed -n '/^Stored values/,$p' "$log" | grep -v '^X connection' >"$out/values-$lang.txt"
  reset=()
done

# The host writes uncompressed PNGs; make them small when ImageMagick is there.
if command -v convert >/dev/null 2>&1; then
  for png in "$out"/*.png; do
    convert "$png" -strip "$png.tmp.png" && mv "$png.tmp.png" "$png"
  done
fi

echo "Pictures of the pages: $out/*.png"
ls -1 "$out"/*.png | sed 's/^/  /'
echo "Stored values: $out/values-en.txt (after the English run), $out/values-ja.txt"
echo "Host output: $out/host-en.log, $out/host-ja.log; raw jobs go to $out/jobs"
