#!/usr/bin/env bash
# Compiles one staged HTML Help project with chmcmd (Debian's fp-utils).
#
#   compile-chm.sh STAGE_DIR PROJECT.hhp OUTPUT.chm
#
# Why the chroot: chmcmd 3.2.2 writes the topic of each context id into the
# .chm's #STRINGS as the project folder's full path followed by the file name
# (for example "/home/me/build/help/en/raster.htm"), a topic no help viewer
# finds. Compiled with the project folder as "/", the topics read
# "/raster.htm", which is the topic's path inside the .chm. So chmcmd runs in
# a private mount namespace, chrooted into the stage folder, with /usr (and
# the library folders) bound read-only into it. Without the privileges for
# that (not root, no user namespaces) chmcmd runs directly and the context ids
# carry the build path: the build goes on, and the help file test says so.
set -euo pipefail

stage=$(cd "$1" && pwd)
project=$2
output=$3
chmcmd=$(readlink -f "$(command -v chmcmd)") || { echo "compile-chm: chmcmd not found (install fp-utils)" >&2; exit 1; }
compiled=$(sed -n 's/^Compiled file=\(.*\)$/\1/p' "$stage/$project" | tr -d '\r' | head -n1)
[ -n "$compiled" ] || { echo "compile-chm: $project names no compiled file" >&2; exit 1; }
rm -f "$stage/$compiled"

# The root's system folders: /usr bound, the others as the host has them
# (links on a merged-/usr system, bound folders otherwise).
mkdir -p "$stage/usr" "$stage/tmp" "$stage/dev" "$stage/proc"
binds=("/usr")
for d in bin sbin lib lib32 lib64 libx32; do
  if [ -L "/$d" ]; then
    [ -L "$stage/$d" ] || ln -s "$(readlink "/$d")" "$stage/$d"
  elif [ -d "/$d" ]; then
    mkdir -p "$stage/$d"
    binds+=("/$d")
  fi
done

run_chrooted() {
  local flags=(--mount --propagation private)
  [ "$(id -u)" -eq 0 ] || flags+=(--map-root-user)
  # shellcheck disable=SC2016
  unshare "${flags[@]}" /bin/sh -c '
    stage=$1; shift; chmcmd=$1; shift; project=$1; shift
    for d in "$@"; do
      mount --bind "$d" "$stage$d" && mount -o remount,bind,ro "$stage$d" 2>/dev/null || true
      mountpoint -q "$stage$d" || exit 3
    done
    exec chroot "$stage" "$chmcmd" --no-html-scan "/$project"
  ' sh "$stage" "$chmcmd" "$project" "${binds[@]}"
}

log="$stage/chmcmd.log"
if run_chrooted >"$log" 2>&1 && [ -s "$stage/$compiled" ]; then
  :
else
  echo "compile-chm: warning: could not run chmcmd in its own root (see $log);" \
       "compiling in place, so the context ids carry the build path" >&2
  (cd "$stage" && "$chmcmd" --no-html-scan "$project") >>"$log" 2>&1 || { cat "$log" >&2; exit 1; }
fi
# The binds ended with the namespace; never leave a bound /usr in the stage.
for d in "${binds[@]}"; do
  if mountpoint -q "$stage$d"; then echo "compile-chm: $stage$d is still mounted" >&2; exit 1; fi
done
grep -i -E 'error|corrupt' "$log" >&2 && exit 1
[ -s "$stage/$compiled" ] || { cat "$log" >&2; echo "compile-chm: no $compiled written" >&2; exit 1; }
mv -f "$stage/$compiled" "$output"
