#!/usr/bin/env bash
# Regenerates the page gallery in docs/gallery/ and its index docs/gallery.md:
# every page variant in English and Japanese, as the driver UI host shows it
# on simulated printers under Wine, drawn by the module of ZELT_WINE_ARCH (x64
# unless set; the index names it). Needs a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
. "$root/scripts/wine-arch.sh"
shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
gallery="$root/docs/gallery"
mkdir -p "$gallery"
rm -f "$gallery"/*.png

# model data file | pictures to keep: "index:page-name-template-id" ..., where
# the index is the tab, or one past the last tab for the Save As dialog
# [| more host options]
models=(
  "QRVX10.GPD|1:raster-107 2:logo-108 3:copy-109 4:etb-114 5:saveas-113"
  "QRVA57.GPD|1:raster-106 3:copy-105"
  "QRVA59.GPD|1:raster-112 3:copy-111"
  "QRVB15.GPD|1:raster-117"
  "QWNB18_ZOOM.GPD|1:raster-115 3:copy-116 4:zoom-110"
  "QRVC252.GPD|1:raster-119 3:copy-118"
  "QRVX10.GPD|3:copy-readonly-109|--read-only"
)

case "$ZELT_WINE_ARCH" in
  x86) module=32-bit wine=wine ;;
  x64) module=64-bit wine=/usr/lib/wine/wine64 ;;
esac

for entry in "${models[@]}"; do
  model="${entry%%|*}"
  rest="${entry#*|}"
  keeps="${rest%%|*}"
  extra=()
  [ "$rest" != "$keeps" ] && extra=(${rest#*|})
  case "$keeps" in *saveas-*) extra+=(--save-as-shot) ;; esac
  for lang in en ja; do
    locale=en_US.UTF-8
    [ "$lang" = ja ] && locale=ja_JP.UTF-8
    out="$shots/$lang"
    mkdir -p "$out"
    rm -f "$out"/*.png
    LANG="$locale" bash scripts/wine-run.sh "$bin/ZeltDriverHost.exe" --model "$model" --headless --reset \
      --shots "$out" "${extra[@]}" >/dev/null 2>&1
    for keep in $keeps; do
      index="${keep%%:*}"
      name="${keep#*:}"
      source=$(ls "$out"/"${model%.GPD}-$lang-$index-"*.png 2>/dev/null | head -n 1)
      if [ -z "$source" ]; then
        echo "make-gallery: no picture of tab $index for $model ($lang)" >&2
        exit 1
      fi
      convert "$source" -strip -colors 64 "PNG8:$gallery/$name-$lang.png"
    done
  done
done

{
  echo "# Page gallery"
  echo
  echo "Every page of the plug-in as the printer's Properties sheet shows it, in"
  echo "English and Japanese, on simulated printers under Wine. Regenerate with"
  echo "\`bash scripts/make-gallery.sh\` after \`bash scripts/build.sh\`."
  echo
  echo "Drawn by the $module module (\`${bin#"$root/"}/ZeltRasUI.dll\`) under $("$wine" --version)."
  echo "The host turns the keyboard cues on before each picture, as pressing Alt does, so"
  echo "each control's access key shows underlined (Wine draws the underlines in any case)."
  echo
  echo "| Page | Template | English | Japanese |"
  echo "|---|---|---|---|"
  for png in "$gallery"/*-en.png; do
    base="$(basename "$png" -en.png)"
    page="${base%-*}"
    id="${base##*-}"
    echo "| $page | $id | ![$base English](gallery/$base-en.png) | ![$base Japanese](gallery/$base-ja.png) |"
  done
  if ls "$gallery"/help/*.png >/dev/null 2>&1; then
    echo
    bash "$root/scripts/make-help-gallery.sh" --section
  fi
} > "$root/docs/gallery.md"
echo "Gallery: $root/docs/gallery.md ($(ls "$gallery" | wc -l) pictures)"
