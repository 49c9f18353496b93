#!/bin/sh
# Renders each held weapon at rest and firing, and world 1's ring pair at frames 0, 400
# and 1200 with A held, and tiles the shots into one sheet.
#
# usage: tools/weapon_sheet.sh [BUILD_DIR [OUT.png]]
#   BUILD_DIR  holds zeb-replay and text/ (default: build)
#   OUT.png    the sheet (default: BUILD_DIR/weapon_sheet.png); the single shots are kept
#              in a directory next to it, named after it
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
out=${2:-$build/weapon_sheet.png}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
shots=${out%.png}_shots
mkdir -p "$shots"

# Each weapon: taken, one frame at rest, then the button(s) held for its firing frames.
fire() { # weapon, buttons, frames
    printf 'tap %s\nframes 1\nshot %s/weapon%s_rest.png\n' "$1" "$shots" "$1"
    for b in $2; do printf 'button %s down\n' "$b"; done
    printf 'frames %s\nshot %s/weapon%s_fired.png\n' "$3" "$shots" "$1"
    for b in $2; do printf 'button %s up\n' "$b"; done
    printf 'frames 60\n'
}
script=$( {
    printf 'frames 2\nplace -1 1 1 0 0\nframes 2\n'
    fire 1 left 1
    fire 2 left 1
    fire 3 left 1
    fire 4 "left right" 30
    fire 5 "left right" 3
    printf 'tap 0\nplace -4.7 -1 1.3 0 -10\nframes 1\nshot %s/ring_0.png\nkey A down\n' "$shots"
    printf 'frames 400\nshot %s/ring_400.png\nframes 800\nshot %s/ring_1200.png\nkey A up\n' "$shots" "$shots"
} )
(cd "$build" && printf '%s\n' "$script" | ./zeb-replay - >/dev/null)

set --
for w in 1 2 3 4 5; do set -- "$@" "$shots/weapon${w}_rest.png" "$shots/weapon${w}_fired.png"; done
set -- "$@" "$shots/ring_0.png" "$shots/ring_400.png" "$shots/ring_1200.png"
python3 "$root/tools/contact_sheet.py" "$out" 4 "$@"
echo "$out"
