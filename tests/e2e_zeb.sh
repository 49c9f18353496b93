#!/bin/bash
# End-to-end runs of the real program under a virtual X server (1280 x 1024, one mode):
#  1. the start-up question answered No (Escape): a 1024 x 768 window titled "ZEB",
#     started from a directory without text/ (the data is found next to the program);
#  2. answered Yes (Return): fullscreen over the whole 1280 x 1024 screen, no second box;
#  3. --windowed (no question), then F1: fullscreen 1280 x 1024, no box, F1 back;
#  4. no data anywhere: a box lists every place zeb looked, exit code 1.
# Each ends on Escape with exit code 0 unless said otherwise. A failing step prints zeb's
# log. Usage: e2e_zeb.sh PATH_TO_ZEB (run from the directory holding text/).
set -u
ZEB=$(realpath "$1")
WORK=$(mktemp -d)
LOG=$WORK/zeb.log
# Xvfb picks a free display number itself (-displayfd) by binding it: a number chosen by
# looking into /tmp/.X11-unix misses servers of other chroots and containers, whose
# abstract sockets are shared, and then this test would talk to someone else's server.
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
DISPLAY_NUMBER=$(head -n 1 "$WORK/display")
[ -n "$DISPLAY_NUMBER" ] || { echo "Xvfb did not start:"; cat "$WORK/xvfb.log"; exit 1; }
ZEB_PID=
cleanup() {
    [ -n "$ZEB_PID" ] && kill -9 "$ZEB_PID" 2>/dev/null
    kill "$XVFB" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
export DISPLAY=:$DISPLAY_NUMBER SDL_AUDIODRIVER=dummy
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
xwininfo -root >/dev/null 2>&1 || { echo "Xvfb did not start:"; cat "$WORK/xvfb.log"; exit 1; }

SCENARIO=""
fail() {
    echo "FAILED [$SCENARIO]: $*"
    if [ -n "$ZEB_PID" ]; then
        if kill -0 "$ZEB_PID" 2>/dev/null; then echo "zeb is still running"
        else wait "$ZEB_PID"; echo "zeb has ended with exit code $?"; ZEB_PID=; fi
    fi
    echo "--- zeb's log:"
    cat "$LOG"
    echo "--- windows:"
    xwininfo -root -tree 2>/dev/null | grep -E '"[^"]+":' | head -20
    exit 1
}

has_window() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\":"; }
geometry() { xwininfo -id "$1" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# The id of a window titled ZEB of the given size, now.
zeb_window_of_size_now() {
    for id in $(xwininfo -root -tree 2>/dev/null | grep -F '"ZEB":' | awk '{print $1}'); do
        [ "$(geometry "$id")" = "$1" ] && { echo "$id"; return 0; }
    done
    return 1
}
# Waits up to 30 s until a window titled ZEB has the given size; prints its id.
zeb_window_of_size() {
    for _ in $(seq 300); do
        zeb_window_of_size_now "$1" && return 0
        sleep 0.1
    done
    return 1
}

# Holds a key until its effect shows (up to 30 s): a press and its release handled in
# one batch of messages is no press, and under load a frame can take longer than any
# fixed hold. F1 is consumed when handled, so holding it toggles once.
# hold_until WINDOW KEY COMMAND...: true when COMMAND succeeded while the key was held.
hold_until() {
    local win=$1 key=$2
    shift 2
    xdotool keydown --window "$win" "$key"
    local ok=1
    for _ in $(seq 300); do
        if "$@"; then ok=0; break; fi
        sleep 0.1
    done
    xdotool keyup --window "$win" "$key" 2>/dev/null
    return $ok
}
zeb_ended() { ! kill -0 "$ZEB_PID" 2>/dev/null; }
has_size() { zeb_window_of_size_now "$1" >/dev/null; }

start_zeb() { # start_zeb DIR ARGS...: runs zeb in DIR
    local dir=$1
    shift
    (cd "$dir" && exec "$ZEB" "$@") >"$LOG" 2>&1 &
    ZEB_PID=$!
}

# Waits (up to 30 s) for zeb to end and checks its exit code.
expect_exit() {
    for _ in $(seq 300); do kill -0 "$ZEB_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$ZEB_PID" 2>/dev/null && fail "zeb did not end"
    wait "$ZEB_PID"
    local code=$?
    ZEB_PID=
    [ "$code" -eq "$1" ] || fail "exit code $code, wanted $1"
}

# Starts zeb (start_zeb's arguments) and sets BOX to its start-up question. Under load
# SDL's box can fail to show; zeb then logs so and takes its fallback answer, as it
# should. Such a start says nothing about this step, so it is made again (three tries).
start_with_question() {
    local attempt
    for attempt in 1 2 3; do
        start_zeb "$@"
        for _ in $(seq 300); do
            BOX=$(xwininfo -root -tree 2>/dev/null | grep -F '"Start FullScreen?":' | awk '{print $1}' | head -n 1)
            [ -n "$BOX" ] && return 0
            grep -qF "could not show a message box" "$LOG" && break
            sleep 0.1
        done
        grep -qF "could not show a message box" "$LOG" || return 1
        echo "note: the start-up box could not be shown (try $attempt); starting again"
        kill -9 "$ZEB_PID" 2>/dev/null
        wait "$ZEB_PID" 2>/dev/null
        ZEB_PID=
    done
    return 1
}

quit_with_escape() {
    hold_until "$1" Escape zeb_ended || fail "zeb did not end on Escape"
    expect_exit 0
}

# 1. No: windowed, from a directory without text/.
SCENARIO="question answered No"
mkdir -p "$WORK/elsewhere"
start_with_question "$WORK/elsewhere" || fail "no start-up question"
xdotool key --window "$BOX" Escape
WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
quit_with_escape "$WIN"
echo "ok: No opened 1024x768 \"ZEB\" with the data next to the program, Escape ended it with code 0"

# 2. Yes: fullscreen over the desktop, and no "not supported" box.
SCENARIO="question answered Yes"
start_with_question . || fail "no start-up question"
xdotool key --window "$BOX" Return
WIN=$(zeb_window_of_size 1280x1024) || fail "no fullscreen 1280x1024 ZEB window"
sleep 0.5
has_window "Vexa GL" && fail "a second box appeared"
quit_with_escape "$WIN"
echo "ok: Yes covered the 1280x1024 screen without a second box, Escape ended it with code 0"

# 3. --windowed, then F1 into fullscreen and back.
SCENARIO="--windowed and F1"
start_zeb . --windowed
WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
has_window "Start FullScreen?" && fail "--windowed still asked"
hold_until "$WIN" F1 has_size 1280x1024 || fail "F1 did not give a fullscreen 1280x1024 window"
WIN=$(zeb_window_of_size 1280x1024) || fail "the fullscreen window went away"
sleep 0.5
has_window "Vexa GL" && fail "F1 showed the \"not supported\" box"
hold_until "$WIN" F1 has_size 1024x768 || fail "F1 did not bring back the 1024x768 window"
WIN=$(zeb_window_of_size 1024x768) || fail "the 1024x768 window went away"
quit_with_escape "$WIN"
echo "ok: --windowed asked nothing, F1 went to 1280x1024 fullscreen and back, Escape ended it with code 0"

# 4. No data in the working directory, next to the program, in ../share/zeb or $ZEB_DATA.
SCENARIO="no data"
mkdir -p "$WORK/bare"
cp "$ZEB" "$WORK/bare/zeb"
(cd "$WORK/bare" && exec env -u ZEB_DATA ./zeb --windowed) >"$LOG" 2>&1 &
ZEB_PID=$!
# The box comes before any window; should SDL fail to show it, zeb says so in the log and
# goes on with the box's only answer. Either way nothing waits.
answered=
for _ in $(seq 300); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F '"ERROR":' | awk '{print $1}' | head -n 1)
    [ -n "$id" ] && { xdotool key --window "$id" Return; answered=1; break; }
    grep -qF "could not show a message box" "$LOG" && { answered=1; break; }
    sleep 0.1
done
[ -n "$answered" ] || fail "no box saying the data is missing"
expect_exit 1
for place in "cannot find its data directory text/" "$WORK/bare/text" "$WORK/share/zeb/text" \
    "(ZEB_DATA is not set)"; do
    grep -qF -- "$place" "$LOG" || fail "zeb did not say \"$place\""
done
echo "ok: without data a box listed every place zeb looked, then the program ended with code 1"
