#!/usr/bin/env bash
# The house of layers: each folder of src/ includes only its own headers and those of the layers
# below it, never through "../", and the plain layers include no Qt header. Prints every include
# that breaks this and fails when there is one.
# Usage: scripts/check_layers.sh [SOURCE_DIR]   (default: the checkout holding this script)
set -euo pipefail

root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}

# Who may include whom; cli and shell sit on top and never include each other.
declare -A below=(
    [model]=""
    [algorithms]="model"
    [accounts]="model algorithms"
    [catalogue]="model algorithms accounts"
    [checking]="model algorithms accounts catalogue"
    [petri]="model algorithms accounts"
    [interchange]="model"
    [render]="model"
    [view]="model algorithms accounts catalogue checking petri interchange render"
    [cli]="model algorithms accounts catalogue checking petri interchange render"
    [shell]="model algorithms accounts catalogue checking petri interchange render view"
)
qt_free=" model algorithms accounts catalogue checking petri "

faults=0
fault() {
    echo "$1"
    faults=$((faults + 1))
}

for dir in "$root"/src/*/; do
    layer=$(basename "$dir")
    if [[ ! -v below[$layer] ]]; then
        fault "src/$layer: a folder with no place among the layers"
        continue
    fi
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        where="${file#"$root"/}:${rest%%:*}"
        text=${rest#*:}
        [[ $text =~ \#[[:space:]]*include[[:space:]]*[\"\<]([^\"\>]+)[\"\>] ]] || continue
        path=${BASH_REMATCH[1]}
        if [[ $path == ../* || $path == */../* ]]; then
            fault "$where: $path reaches out of its folder"
        elif [[ $path == Q* && $qt_free == *" $layer "* ]]; then
            fault "$where: $path is Qt in the plain layer $layer"
        elif [[ $path == */* ]]; then
            to=${path%%/*}
            if [[ -v below[$to] && $to != "$layer" && " ${below[$layer]} " != *" $to "* ]]; then
                fault "$where: $layer includes $path, a layer it does not stand on"
            fi
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' "$dir" --include='*.h' --include='*.cpp' || true)
done

if ((faults > 0)); then
    echo "check_layers: $faults include(s) out of place"
    exit 1
fi
echo "check_layers: every include of src/ stays within its layer or below"
