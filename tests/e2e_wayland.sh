#!/bin/bash
# End-to-end runs of the real program under headless Wayland compositors:
#  1. through XWayland under sway (1280 x 1024): the window opens with the pointer held at
#     its centre, the view turns with the pointer (the recorded heading), the window
#     follows a resize, and the compositor's close ends zeb with code 0 (F1 there takes
#     the X path that e2e_zeb.sh and the desktop tests cover);
#  2. natively (SDL_VIDEODRIVER=wayland) under sway, keys typed by a virtual keyboard
#     (wtype), the mouse a virtual pointer: the view turns with the pointer's relative
#     motion (no warping there), F1 goes fullscreen and back, a resize reaches the
#     program, the compositor's close ends it with code 0;
#  3. natively under weston's headless backend, which offers no input seat: SDL's video
#     driver would crash there, zeb refuses with a message and exit code 1.
# Usage: e2e_wayland.sh PATH_TO_ZEB PATH_TO_ZEB_VIRTUAL_POINTER (run from the directory
# holding text/).
set -u
ZEB=$(realpath "$1")
POINTER=$(realpath "$2")
HERE=$(dirname "$0")
. "$HERE/e2e_lib.sh"
. "$HERE/wayland_session.sh"
trap 'wayland_stop; cleanup' EXIT

sway_start 1280x1024 || exit 1

pointer_at_client() {
    local area
    read -r -a area <<<"$(client_area "$1")"
    [ "$(xdotool getmouselocation | awk '{print $1, $2}')" = "x:$(( area[0] + $2 )) y:$(( area[1] + $3 ))" ]
}
# Five rows below the centre of the client area, which sway sets after the window opens.
pointer_at_centre() {
    local area
    [ -n "$1" ] || return 1
    read -r -a area <<<"$(client_area "$1")"
    pointer_at_client "$1" $(( area[2] / 2 )) $(( area[3] / 2 + 5 ))
}
# The ZEB window now, whatever its size (sway tiles it to fill the output).
zeb_window_now() { xwininfo -root -tree 2>/dev/null | grep -F '"ZEB":' | awk '{print $1}' | head -n 1; }
zeb_window_any() {
    local id
    for _ in $(seq $TICKS); do
        id=$(zeb_window_now)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
sway_asks() { swaymsg "$1" >/dev/null 2>&1; }
# The recorded window size WIDTH HEIGHT, as the recording writes it.
recorded_size() { grep -qx "message size 0 $(( ($2 << 16) | $1 ))" "$WORK/$3"; }

# 1. XWayland.
SCENARIO="XWayland"
start_zeb . --windowed --record "$WORK/xwayland.replay"
WIN=$(zeb_window_any) || fail "no ZEB window on XWayland"
wait_until pointer_at_centre "$WIN" || fail "the pointer was not taken to the window's centre"
for _ in 1 2 3 4 5; do xdotool mousemove_relative 30 0; sleep 0.1; done
# sway knows the window only once it is mapped: asked until it does.
wait_until sway_asks '[class="zeb"] floating enable, border none, resize set 1100 700' || fail "sway refused the resize"
WIN=$(zeb_window_of_size 1100x700) || fail "the window was not resized to 1100x700"
wait_until pointer_at_centre "$WIN" || fail "the pointer is not held at the centre of the resized window"
swaymsg '[class="zeb"] kill' >/dev/null || fail "sway did not close the window"
expect_exit 0
grep -q '^mouse [1-9]' "$WORK/xwayland.replay" || fail "no pointer motion was recorded"
grep -qx 'expect heading == 0' "$WORK/xwayland.replay" && fail "the view did not turn with the pointer"
recorded_size 1100 700 xwayland.replay || fail "the program was not told of the resize"
echo "ok: XWayland: the pointer held at the centre, the view turned with it, a resize to 1100x700 followed, the close ended zeb with code 0"

# 2. Native Wayland under sway. The seat has no keyboard until wtype's virtual one joins
# it: each wtype waits until the window has been told of it before typing.
SCENARIO="native Wayland"
swaymsg_tree() { swaymsg -t get_tree; }
native_window() { swaymsg_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == "zeb":
        print(node["fullscreen_mode"], node["rect"]["width"], node["rect"]["height"]); sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []): walk(child)
walk(json.load(sys.stdin)); sys.exit(1)'; }
native_fullscreen() { [ "$(native_window | awk '{print $1}')" = "$1" ]; }
type_key() { wtype -s 500 -k "$1" -s 200; }
(cd . && exec env SDL_VIDEODRIVER=wayland "$ZEB" --windowed --record "$WORK/native.replay") >"$LOG" 2>&1 &
ZEB_PID=$!
wait_until native_window >/dev/null || fail "no native zeb window"
# The window has the focus only while the seat has a keyboard: one is held meanwhile.
wtype -s 60000 &
KEYBOARD=$!
wait_until grep -qx 'focus yes' "$WORK/native.replay" || fail "the window did not get the focus"
"$POINTER" 20 0 10 || fail "no virtual pointer"
wait_until grep -qx 'mouse 20 0' "$WORK/native.replay" || fail "the pointer's motion was not read"
kill "$KEYBOARD"
wait "$KEYBOARD" 2>/dev/null
type_key F1
wait_until native_fullscreen 1 || fail "F1 did not go fullscreen"
type_key F1
wait_until native_fullscreen 0 || fail "F1 did not come back from fullscreen"
swaymsg '[app_id="zeb"] floating enable, border none, resize set 1100 700' >/dev/null || fail "sway refused the resize"
wait_until eval '[ "$(native_window)" = "0 1100 700" ]' || fail "the window was not resized: $(native_window)"
swaymsg '[app_id="zeb"] kill' >/dev/null || fail "sway did not close the window"
expect_exit 0
recorded_size 1100 700 native.replay || fail "the program was not told of the resize"
grep -qx 'key F1 down' "$WORK/native.replay" || fail "F1 was not recorded"
grep -qx 'expect heading == 0' "$WORK/native.replay" && fail "the view did not turn with the pointer"
echo "ok: native Wayland: the view turned with the pointer's relative motion, F1 there and back, a resize to 1100x700 reached the program, the close ended zeb with code 0"

# 3. A compositor without an input seat.
SCENARIO="Wayland without a seat"
weston_start || exit 1
(exec env -u DISPLAY SDL_VIDEODRIVER=wayland "$ZEB" --windowed) >"$LOG" 2>&1 &
ZEB_PID=$!
expect_exit 1
grep -qF "the Wayland compositor offers no input seat" "$LOG" || fail "zeb did not say why it refused"
echo "ok: natively under a compositor without a seat zeb refused with a message and exit code 1"
