#!/usr/bin/env bash
# Pictures of a few help topics in English and Japanese, rendered by headless
# Chromium from the topics as the build stages them for the help compiler
# (build/help/en, ja: the hand-written ones and those filled in from
# templates), into docs/gallery/help/, and their section of docs/gallery.md.
#
#   bash scripts/make-help-gallery.sh            # install Chromium if missing, render, update docs/gallery.md
#   bash scripts/make-help-gallery.sh --section  # only print the gallery.md section of the pictures there
#
# Needs a build first (bash scripts/build.sh, or the help_files target).
#
# Chromium (Debian's package) is installed here, not by install-deps.sh: the
# build and the tests do not need it.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
pictures="$root/docs/gallery/help"
# topic file | what it shows
topics=(
  "overview|the start page"
  "raster|Raster Print Options"
  "logo|Logo"
  "copy_b18|Copy Options of B18 models (presenter)"
  "cut_actions|the cut actions"
)

section() {
  echo "## Help topics"
  echo
  echo "Topics of the HTML Help files (\`qrv_ras_help_HJW.chm\`, \`qrv_ras_help_J_HJW.chm\`), rendered by headless"
  echo "Chromium from the topics the build hands to the help compiler (\`build/help/\`). Regenerate with"
  echo "\`bash scripts/make-help-gallery.sh\` after a build."
  echo
  echo "| Topic | English | Japanese |"
  echo "|---|---|---|"
  for entry in "${topics[@]}"; do
    name="${entry%%|*}"
    [ -f "$pictures/$name-en.png" ] || continue
    echo "| ${entry#*|} (\`$name.htm\`) | ![$name English](gallery/help/$name-en.png) | ![$name Japanese](gallery/help/$name-ja.png) |"
  done
}

if [ "${1:-}" = "--section" ]; then
  section
  exit 0
fi

staged="$root/build/help"
for lang in en ja; do
  [ -f "$staged/$lang/overview.htm" ] || { echo "make-help-gallery: no staged topics in $staged/$lang; build first (bash scripts/build.sh)" >&2; exit 1; }
done

if ! command -v chromium >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends chromium fonts-ipafont-gothic
fi

profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
mkdir -p "$pictures"
rm -f "$pictures"/*.png
for entry in "${topics[@]}"; do
  name="${entry%%|*}"
  for lang in en ja; do
    shot="$profile/$name-$lang.png"
    chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
      --disable-sync --no-first-run --user-data-dir="$profile/data" --hide-scrollbars --window-size=720,1100 \
      --screenshot="$shot" "file://$staged/$lang/$name.htm" >/dev/null 2>&1
    [ -s "$shot" ] || { echo "make-help-gallery: no picture of $lang/$name.htm" >&2; exit 1; }
    # Cut the empty page below the topic, keep a margin.
    convert "$shot" -trim +repage -bordercolor white -border 12 -strip -colors 64 "PNG8:$pictures/$name-$lang.png"
  done
done

# The section replaces the one in docs/gallery.md (make-gallery.sh writes it too).
gallery_md="$root/docs/gallery.md"
kept="$(sed '/^## Help topics$/,$d' "$gallery_md")"
{ printf '%s\n\n' "$kept"; section; } > "$gallery_md.new"
mv "$gallery_md.new" "$gallery_md"
echo "Help gallery: $pictures ($(ls "$pictures" | wc -l) pictures)"
