#!/bin/bash
# End-to-end run of the real program under a virtual X server: answer the start-up
# question with Escape (No), see a 1024 x 768 window titled "ZEB", press Escape, and
# expect exit code 0. Usage: e2e_zeb.sh PATH_TO_ZEB (run from the directory holding text/).
set -u
ZEB=$1
LOG=$(mktemp)
for n in $(seq 90 120); do [ -e /tmp/.X11-unix/X$n ] || { DISPLAY_NUMBER=$n; break; }; done
Xvfb :$DISPLAY_NUMBER -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
ZEB_PID=
cleanup() {
    [ -n "$ZEB_PID" ] && kill -9 "$ZEB_PID" 2>/dev/null
    kill "$XVFB" 2>/dev/null
    rm -f "$LOG"
}
trap cleanup EXIT
export DISPLAY=:$DISPLAY_NUMBER SDL_AUDIODRIVER=dummy
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# The id of the top-level window with this exact title, waiting up to 10 s for it.
window_id() {
    for _ in $(seq 100); do
        id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\":" | awk '{print $1}' | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

"$ZEB" >"$LOG" 2>&1 &
ZEB_PID=$!
BOX=$(window_id "Start FullScreen?") || { echo "no start-up question"; exit 1; }
xdotool key --window "$BOX" Escape
WIN=$(window_id "ZEB") || { echo "no ZEB window"; cat "$LOG"; exit 1; }
GEOMETRY=$(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$GEOMETRY" = "1024x768" ] || { echo "window is $GEOMETRY, not 1024x768"; exit 1; }
# Hold Escape across a frame: a press and release in one batch of messages is no press.
xdotool keydown --window "$WIN" Escape
sleep 0.3
xdotool keyup --window "$WIN" Escape 2>/dev/null
for _ in $(seq 100); do kill -0 "$ZEB_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$ZEB_PID" 2>/dev/null; then echo "zeb did not end on Escape"; exit 1; fi
wait "$ZEB_PID"
CODE=$?
ZEB_PID=
[ "$CODE" -eq 0 ] || { echo "exit code $CODE"; cat "$LOG"; exit 1; }
echo "zeb answered, opened 1024x768 \"ZEB\", ended on Escape with code 0"
