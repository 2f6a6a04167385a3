#!/usr/bin/env bash
# Each folder of the plug-in's sources includes only itself and folders below
# it, so that each can be read, built and tested without the ones above.
# Prints every include that reaches up; fails when there is one.
set -euo pipefail
plugins="$(cd "$(dirname "$0")/../../src/plugins" && pwd)"

# From the bottom up; pages/ and its families count as one floor, and its
# common/ is below the families.
layers=(resources spool settings frame pages/common pages logo journal help)

rank_of() {
    local path="$1" i
    for ((i = ${#layers[@]} - 1; i >= 0; i--)); do
        case "$path" in "${layers[i]}"/*) echo "$i"; return ;; esac
    done
    echo -1
}

status=0
while IFS= read -r -d '' file; do
    relative="${file#"$plugins"/}"
    own=$(rank_of "$relative")
    if [ "$own" -lt 0 ]; then continue; fi
    while IFS= read -r target; do
        # An include without a folder is the including folder's own file.
        case "$target" in */*) ;; *) continue ;; esac
        [ -e "$plugins/$target" ] || continue
        reached=$(rank_of "$target")
        if [ "$reached" -gt "$own" ]; then
            echo "$relative includes $target, which sits above it" >&2
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find "$plugins" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.rc' \) -print0)
exit "$status"
