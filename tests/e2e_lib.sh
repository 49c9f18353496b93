# Shared by the end-to-end tests of the real program: a virtual X server, zeb started and
# watched, keys held until their effect shows. Source it, then call start_x.
# The caller sets ZEB (the program) and SCENARIO (named in failures).

WORK=$(mktemp -d)
LOG=$WORK/zeb.log
ZEB_PID=
WM=
SCENARIO=""
# shellcheck source=tests/xvfb_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/xvfb_session.sh"

cleanup() {
    [ -n "$ZEB_PID" ] && kill -9 "$ZEB_PID" 2>/dev/null
    [ -n "$WM" ] && kill "$WM" 2>/dev/null
    xvfb_stop
    rm -rf "$WORK"
}
trap cleanup EXIT

# start_x WIDTHxHEIGHT [openbox]: a virtual screen of that size, with a window manager if
# asked.
start_x() {
    xvfb_start "$1" || exit 1
    if [ "${2:-}" = openbox ]; then
        openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
        WM=$!
        # The window manager is up once it owns the screen's manager selection.
        for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
    fi
}

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
# The window's client area on the screen: X Y WIDTH HEIGHT.
client_area() {
    xwininfo -id "$1" 2>/dev/null |
        awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

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

# Holds a key until its effect shows (up to 30 s): under load a frame can take longer than
# any fixed hold. F1 is consumed when handled, so holding it toggles once.
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
# Waits up to 30 s for COMMAND to succeed.
wait_until() {
    for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
    return 1
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

quit_with_escape() {
    hold_until "$1" Escape zeb_ended || fail "zeb did not end on Escape"
    expect_exit 0
}
