#!/bin/sh
# Ten views of the town from its streets, rendered with zeb-replay and tiled into one
# sheet by contact_sheet.py.
#
# usage: tools/town_views.sh [BUILD_DIR [OUT.png]]
#   BUILD_DIR  holds zeb-replay and text/ (default: build)
#   OUT.png    the sheet (default: BUILD_DIR/town_views.png); the single shots are kept in
#              a directory next to it, named after it
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
out=${2:-$build/town_views.png}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
shots=${out%.png}_shots
mkdir -p "$shots"

# name, x, z, eye, heading, pitch
views='01_arrival -1 -1 0.6 0 0
02_square -12 6 0.6 -60 0
03_bridge_street 9 4 0.6 0 -6
04_north_street -12 -18.5 0.6 90 0
05_plaza -29 -4 0.6 20 -3
06_flight -39.5 0.5 0.6 75 -3
07_west_street -18 8 0.6 90 0
08_south_lane -4 30 0.6 0 0
09_courtyard -66 8 0.6 130 5
10_canopy -73 12 0.6 150 0'

script=$(printf 'answer no\nframes 1\nplace -6.5 -7 0.59 0 0\nwalk 1\nframes 50\n'
echo "$views" | while read -r name x z eye heading pitch; do
    printf 'place %s %s %s %s %s\nframes 2\nshot %s/%s.png\n' "$x" "$z" "$eye" "$heading" "$pitch" "$shots" "$name"
done)
(cd "$build" && printf '%s\n' "$script" | ./zeb-replay -)

set --
for name in $(echo "$views" | cut -d' ' -f1); do set -- "$@" "$shots/$name.png"; done
python3 "$root/tools/contact_sheet.py" "$out" 5 "$@"
echo "$out"
