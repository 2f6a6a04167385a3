#!/usr/bin/env bash
# Every page of the default model, and its Save As dialog, in English and in
# Japanese, drawn by two modules, each through the driver UI host under its
# own Wine: built from the same sources, they must draw the same pixels. A
# picture that differs is reported with the number of pixels and the region
# they cover, and left with a picture of the difference (differing pixels
# red) in OUT/diff.
#   compare_module_pictures.sh OUT ARCH_A BIN_A PREFIX_A ARCH_B BIN_B PREFIX_B
# ARCH is x86 or x64, BIN the folder of that build's host and module, PREFIX
# its Wine prefix. Exits 77 (skipped) when a Wine cannot run here at all
# (wine-run.sh), as the other tests of that architecture do.
set -euo pipefail
[ $# -eq 7 ] || { echo "usage: $0 OUT ARCH_A BIN_A PREFIX_A ARCH_B BIN_B PREFIX_B" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
sides=("$2|$3|$4" "$5|$6|$7")
model=QWNB18_ZOOM.GPD
rm -rf "$out"
mkdir -p "$out/diff"

# The pictures of one module in one language, in OUT/<side>/<lang>.
draw() {
  local side=$1 arch=$2 bin=$3 prefix=$4 lang=$5 locale=en_US.UTF-8 status=0
  [ "$lang" = ja ] && locale=ja_JP.UTF-8
  mkdir -p "$out/$side/$lang"
  LANG=$locale ZELT_WINE_ARCH=$arch WINEPREFIX=$prefix bash "$root/scripts/wine-run.sh" "$bin/ZeltDriverHost.exe" \
    --model "$model" --headless --reset --save-as-shot --shots "$out/$side/$lang" >"$out/$side-$lang.log" 2>&1 ||
    status=$?
  if [ "$status" -eq 77 ]; then
    tail -n 1 "$out/$side-$lang.log" >&2
    exit 77
  fi
  if [ "$status" -ne 0 ]; then
    echo "FAIL: the $arch host did not draw the $lang pages (exit $status):" >&2
    cat "$out/$side-$lang.log" >&2
    exit 1
  fi
}

names=()
for index in 0 1; do
  IFS='|' read -r arch bin prefix <<<"${sides[$index]}"
  names+=("$arch")
  for lang in en ja; do draw "side$index" "$arch" "$bin" "$prefix" "$lang"; done
done

failed=0
count=0
for lang in en ja; do
  for first in "$out/side0/$lang"/*.png; do
    picture=$(basename "$first")
    second="$out/side1/$lang/$picture"
    count=$((count + 1))
    if [ ! -f "$second" ]; then
      echo "FAIL: $lang/$picture: the ${names[1]} module drew no such picture"
      failed=1
      continue
    fi
    size0=$(identify -format '%wx%h' "$first")
    size1=$(identify -format '%wx%h' "$second")
    if [ "$size0" != "$size1" ]; then
      echo "FAIL: $lang/$picture: ${names[0]} $size0, ${names[1]} $size1"
      failed=1
      continue
    fi
    diff="$out/diff/$lang-$picture"
    pixels=$(compare -metric AE "$first" "$second" "$diff" 2>&1 >/dev/null || true)
    if [ "$pixels" = 0 ]; then
      rm -f "$diff"
      echo "ok: $lang/$picture ($size0) the same from both modules"
      continue
    fi
    region=$(convert "$first" "$second" -compose difference -composite -colorspace gray -threshold 0 \
      -format '%@' info:)
    echo "FAIL: $lang/$picture: $pixels pixels differ, within $region (width x height + left + top); see $diff"
    failed=1
  done
done
[ "$count" -gt 0 ] || { echo "FAIL: no pictures drawn"; exit 1; }
if ls "$out/side1"/*/*.png >/dev/null 2>&1; then
  for second in "$out/side1"/*/*.png; do
    rel=${second#"$out/side1/"}
    [ -f "$out/side0/$rel" ] || { echo "FAIL: $rel: the ${names[0]} module drew no such picture"; failed=1; }
  done
fi
exit "$failed"
