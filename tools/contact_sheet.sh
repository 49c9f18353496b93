#!/bin/sh
# Renders every catalogue model alone with zeb-replay and tiles the shots into one sheet.
#
# usage: tools/contact_sheet.sh [BUILD_DIR [OUT.png [HEADING PITCH DISTANCE]]]
#   BUILD_DIR  holds zeb-replay and text/ (default: build)
#   OUT.png    the sheet (default: BUILD_DIR/contact_sheet.png); the single shots are kept
#              in a directory next to it, named after it
#   HEADING PITCH DISTANCE  the view of every model, as zeb-replay's `model` line takes it
#              (default: its own three-quarter view, framed)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
out=${2:-$build/contact_sheet.png}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
view=
if [ $# -ge 5 ]; then view=" $3 $4 $5"; fi
shots=${out%.png}_shots

# The names, in catalogue order, from the catalogue's table.
names=$(grep -o '{"draw_[a-z0-9_]*"' "$root/scene/model_catalogue.cpp" | tr -d '{"')
count=$(echo "$names" | wc -l)
if [ "$count" -ne 38 ]; then
    echo "contact_sheet: expected 38 models in scene/model_catalogue.cpp, found $count" >&2
    exit 1
fi

mkdir -p "$shots"
script=$(for name in $names; do
    printf 'model %s%s\nshot %s/%s.png\n' "$name" "$view" "$shots" "$name"
done)
(cd "$build" && printf '%s\n' "$script" | ./zeb-replay -)

set --
for name in $names; do set -- "$@" "$shots/$name.png"; done
python3 "$root/tools/contact_sheet.py" "$out" 8 "$@"
echo "$out"
