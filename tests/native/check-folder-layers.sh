#!/usr/bin/env bash
# Each folder of the plug-in's sources includes only itself and folders below
# it, so that each can be read, and its rules tested, without the ones above.
# Prints every include that reaches up, and every source in no layer; fails
# when there is one.
set -euo pipefail
plugins="$(cd "${1:-$(dirname "$0")/../../src/plugins}" && pwd)"

# From the bottom up; pages/common is below the page families, which share
# the floor of pages/.
layers=(resources spool settings frame pages/common pages logo journal help)

# The layer of a path below the plug-in's folder: the longest layer it lies
# in; -1 for none.
rank_of() {
    local path="$1" i best=-1 longest=0
    for ((i = 0; i < ${#layers[@]}; i++)); do
        case "$path" in
            "${layers[i]}"/*)
                if [ "${#layers[i]}" -gt "$longest" ]; then
                    best=$i
                    longest=${#layers[i]}
                fi
                ;;
        esac
    done
    echo "$best"
}

# The included file, looked for beside the including file first, then from
# the plug-in's folder (the build's include folder): its path relative to the
# plug-in's folder, or "outside:PATH" for a file beyond it; nothing for a
# system or standard header.
resolve() {
    local from="$1" target="$2" candidate
    for candidate in "$(dirname "$from")/$target" "$plugins/$target"; do
        candidate="$(realpath -m "$candidate")"
        if [ -e "$candidate" ]; then
            case "$candidate" in
                "$plugins"/*) echo "${candidate#"$plugins"/}" ;;
                *) echo "outside:$candidate" ;;
            esac
            return
        fi
    done
}

status=0
sources=0
while IFS= read -r -d '' file; do
    sources=$((sources + 1))
    relative="${file#"$plugins"/}"
    own=$(rank_of "$relative")
    if [ "$own" -lt 0 ]; then
        echo "$relative lies in no layer: add its folder to the layers" >&2
        status=1
        continue
    fi
    while IFS= read -r target; do
        # Without a folder: a file beside it, or a system or standard header.
        case "$target" in */*) ;; *) continue ;; esac
        reached_path="$(resolve "$file" "$target")"
        [ -n "$reached_path" ] || continue
        case "$reached_path" in
            outside:*)
                echo "$relative includes ${reached_path#outside:}, outside the plug-in's sources" >&2
                status=1
                continue
                ;;
        esac
        reached=$(rank_of "$reached_path")
        if [ "$reached" -gt "$own" ] || [ "$reached" -lt 0 ]; then
            echo "$relative includes $reached_path, which sits above it" >&2
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]\([^>"]*\)[>"].*/\1/p' "$file")
done < <(find "$plugins" -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.inl' \
                                   -o -name '*.rc' \) -print0)
if [ "$sources" -eq 0 ]; then
    echo "no sources found below $plugins" >&2
    exit 1
fi
exit "$status"
