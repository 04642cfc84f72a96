#!/bin/sh
# Draws the graph of the source folders from their #include lines and fails
# when it has a circle or when a core folder includes the user interface.
# Usage: tools/check-layers.sh [SOURCE_ROOT]
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

core="lang model questions subjects answers analyses document export"
ui="kit pages app"

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for dir in $core $ui; do
    # Each folder is a node of its own, with or without edges.
    echo "$dir $dir" >>"$edges"
    grep -ho '^#include "[a-z]*/' "$dir"/*.cpp "$dir"/*.h 2>/dev/null |
        sed 's/^#include "\([a-z]*\)\/$/\1/' | sort -u | while read -r target; do
        [ "$target" = "$dir" ] || echo "$dir $target" >>"$edges"
    done
done

failed=0
for dir in $core; do
    for target in $ui; do
        if grep -qx "$dir $target" "$edges"; then
            echo "core folder $dir/ includes the user interface ($target/):"
            grep -ln "^#include \"$target/" "$dir"/*.cpp "$dir"/*.h | sed 's/^/  /'
            failed=1
        fi
    done
done

# tsort orders the folders lowest first and reports any circle it meets.
if ! order=$(tsort "$edges" 2>&1 >/dev/null); then :; fi
if [ -n "$order" ]; then
    echo "circle between folders:"
    echo "$order" | sed 's/^/  /'
    failed=1
fi
if [ "$failed" -eq 0 ]; then
    echo "folders, each above the ones after it: $(tsort "$edges" | tr '\n' ' ')"
fi
exit "$failed"
