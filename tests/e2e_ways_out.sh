#!/bin/bash
# Every way the real program's window can end, and what a window manager does to it, on a
# 1920 x 1080 screen with the window manager named (openbox, fluxbox or none):
#  1. placed: the window goes where the manager puts it, beside a window already at the
#     screen's corner (centred without a manager); it cannot be made smaller than the
#     HUD needs; a resize does not turn the view (the recorded heading and pitch stay 0);
#  2. a minimised window sleeps: it takes a small share of a processor;
#  3. fullscreen, F1 to a window and F1 back, F1 again: the program runs on;
#  4. after F1 twice, another client destroys the window: exit code 0;
#  5. the window manager's close (Alt+F4): exit code 0;
#  6. SIGTERM while recording: exit code 0, the recording whole and played back to its
#     state by zeb-replay; SIGINT: exit code 0;
#  7. the X server ends while recording: zeb ends, the recording is whole.
# Usage: e2e_ways_out.sh PATH_TO_ZEB PATH_TO_ZEB_REPLAY openbox|fluxbox|none (run from the
# directory holding text/).
set -u
ZEB=$(realpath "$1")
REPLAY=$(realpath "$2")
MANAGER=$3
HERE=$(dirname "$0")
. "$HERE/e2e_lib.sh"
start_x 1920x1080 "$MANAGER"

pointer_at_client() {
    local area
    read -r -a area <<<"$(client_area "$1")"
    [ "$(xdotool getmouselocation | awk '{print $1, $2}')" = "x:$(( area[0] + $2 )) y:$(( area[1] + $3 ))" ]
}
# start_windowed ARGS...: zeb --windowed ARGS, running once it holds the pointer; sets WIN.
start_windowed() {
    start_zeb . --windowed "$@"
    WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
    wait_until pointer_at_client "$WIN" 512 389 || fail "the pointer was not taken to the window's centre"
}
# A recording is whole when it ends with the checks of the final state.
recording_whole() { [ "$(grep -c '^expect ' "$1")" -gt 100 ] && tail -n 1 "$1" | grep -q '^expect '; }
# CPU ticks (user and system) zeb has used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$ZEB_PID/stat"; }

# 1. Placement, the smallest size, a resize.
SCENARIO="$MANAGER: placement"
xmessage -geometry 600x300+0+0 "a window at the corner" &
BLOCKER=$!
wait_until has_window xmessage || fail "the corner window did not appear"
start_zeb . --windowed --record "$WORK/resized.replay"
WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
read -r -a AREA <<<"$(client_area "$WIN")"
if [ "$MANAGER" = none ]; then
    [ "${AREA[0]} ${AREA[1]}" = "448 156" ] || fail "without a window manager the window is not centred: ${AREA[*]}"
else
    # Where a manager puts it is its own choice; on top of the corner window is what
    # the position SDL asks for gives.
    [ "${AREA[0]}" -ge 600 ] || [ "${AREA[1]}" -ge 300 ] || fail "the window covers the corner window: ${AREA[*]}"
fi
kill "$BLOCKER"
echo "ok: the window was placed at ${AREA[0]}, ${AREA[1]}"
wait_until pointer_at_client "$WIN" 512 389 || fail "the pointer was not taken to the window's centre"
xdotool windowsize "$WIN" 1500 900
wait_until has_size 1500x900 || fail "the window was not resized to 1500 x 900"
wait_until pointer_at_client "$WIN" 750 455 || fail "the pointer is not held at the new centre"
xprop -id "$WIN" WM_NORMAL_HINTS | grep -q "minimum size: 1024 by 480" ||
    fail "the window does not ask for a minimum of 1024 x 480: $(xprop -id "$WIN" WM_NORMAL_HINTS)"
if [ "$MANAGER" = openbox ]; then # fluxbox holds only the user's own resizing to it
    xdotool windowsize "$WIN" 320 200
    wait_until has_size 1024x480 || fail "the window did not stop at 1024 x 480: $(geometry "$WIN")"
    echo "ok: a resize to 320 x 200 stopped at 1024 x 480"
fi
wait_until pointer_at_client "$WIN" "$(( $(client_area "$WIN" | awk '{print $3}') / 2 ))" \
    "$(( $(client_area "$WIN" | awk '{print $4}') / 2 + 5 ))" || fail "the pointer is not held at the centre"

# 2. Minimised: the loop sleeps between its iterations.
SCENARIO="$MANAGER: minimised"
if [ "$MANAGER" != none ]; then
    xdotool windowminimize --sync "$WIN"
    sleep 1 # the last visible frame may still be drawing
    BEFORE=$(cpu_ticks)
    sleep 4
    USED=$(( $(cpu_ticks) - BEFORE ))
    # 4 s of one processor are 400 ticks; spinning took 376-396, sleeping takes a few.
    [ "$USED" -lt 100 ] || fail "minimised, zeb used $USED of 400 ticks of a processor"
    echo "ok: minimised, zeb used $USED of 400 ticks of a processor in 4 s"
    xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowmap --sync "$WIN"
fi
kill -TERM "$ZEB_PID"
expect_exit 0
recording_whole "$WORK/resized.replay" || fail "the recording is not whole"
grep -qx 'expect heading == 0' "$WORK/resized.replay" && grep -qx 'expect pitch == 0' "$WORK/resized.replay" ||
    fail "a resize turned the view: $(grep -E '^expect (heading|pitch) ' "$WORK/resized.replay")"
echo "ok: resizes turned nothing"

# 3. and 4. Fullscreen, F1 back and forth, then the window destroyed by another client.
SCENARIO="$MANAGER: F1 and the window destroyed"
start_zeb . --fullscreen
WIN=$(zeb_window_of_size 1920x1080) || fail "no fullscreen ZEB window"
tap F1
WIN=$(zeb_window_of_size 1024x768) || fail "F1 did not give a window"
wait_until pointer_at_client "$WIN" 512 389 || fail "after F1 the program does not run on"
tap F1
zeb_window_of_size 1920x1080 >/dev/null || fail "F1 did not go fullscreen again"
tap F1
WIN=$(zeb_window_of_size 1024x768) || fail "F1 did not give a window again"
wait_until pointer_at_client "$WIN" 512 389 || fail "after F1 three times the program does not run on"
echo "ok: from fullscreen F1 three times, the program ran on"
xdotool windowclose "$WIN"
expect_exit 0
grep -q "X Error" "$LOG" && fail "an X error was reported"
echo "ok: after the toggles, the window destroyed by another client ended zeb with code 0"

# 5. The window manager's close.
if [ "$MANAGER" != none ]; then
    SCENARIO="$MANAGER: the manager's close"
    start_windowed
    xdotool key alt+F4
    expect_exit 0
    echo "ok: the window manager's close ended zeb with code 0"
fi

# 6. Signals.
SCENARIO="$MANAGER: SIGTERM while recording"
start_windowed --record "$WORK/terminated.replay"
tap 4
kill -TERM "$ZEB_PID"
expect_exit 0
recording_whole "$WORK/terminated.replay" || fail "the recording is not whole"
"$REPLAY" "$WORK/terminated.replay" >/dev/null 2>"$WORK/replay.err" ||
    fail "zeb-replay did not come to the recorded state: $(cat "$WORK/replay.err")"
echo "ok: SIGTERM ended zeb with code 0 and a whole recording that plays back to its state"
SCENARIO="$MANAGER: SIGINT"
start_zeb . --windowed
zeb_window_of_size 1024x768 >/dev/null || fail "no 1024x768 ZEB window"
kill -INT "$ZEB_PID"
expect_exit 0
echo "ok: SIGINT ended zeb with code 0"

# 7. The X server goes away.
SCENARIO="$MANAGER: the X server ends"
start_windowed --record "$WORK/orphaned.replay"
[ -n "$WM" ] && kill "$WM"
WM=
xvfb_stop
wait_until zeb_ended || fail "zeb outlived the X server"
wait "$ZEB_PID"
ZEB_PID=
recording_whole "$WORK/orphaned.replay" || fail "the recording is not whole"
grep -q "connection to the display was lost" "$LOG" || fail "zeb did not say the display went away"
echo "ok: zeb ended with the X server, its recording whole"
