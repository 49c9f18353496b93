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

# How long any one wait may take, in seconds. Every wait ends as soon as what it waits for
# holds: the deadline only bounds a failure, and is generous for a machine loaded several
# times over (a frame of 1920 x 1080 can then take a second).
DEADLINE=${E2E_DEADLINE:-120}
TICKS=$(( DEADLINE * 10 ))

# start_x WIDTHxHEIGHT [openbox|fluxbox|none]: a virtual screen of that size, with that
# window manager.
start_x() {
    xvfb_start "$1" || exit 1
    case "${2:-none}" in
    openbox) openbox --sm-disable >"$WORK/wm.log" 2>&1 & WM=$! ;;
    fluxbox)
        # Its own settings in WORK; its wallpaper helper, finding no program to set one
        # with, would put a box over the screen: a stand-in that does nothing comes first.
        mkdir -p "$WORK/bin"
        printf '#!/bin/sh\nexit 0\n' >"$WORK/bin/fbsetbg"
        chmod +x "$WORK/bin/fbsetbg"
        PATH="$WORK/bin:$PATH" HOME=$WORK fluxbox >"$WORK/wm.log" 2>&1 &
        WM=$!
        ;;
    none) return 0 ;;
    *) echo "unknown window manager $2"; exit 2 ;;
    esac
    # The window manager is up once it names its check window on the root.
    for _ in $(seq $TICKS); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0; sleep 0.1; done
    echo "the window manager $2 did not start:"
    cat "$WORK/wm.log"
    exit 1
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
# Waits until a window titled ZEB has the given size; prints its id.
zeb_window_of_size() {
    for _ in $(seq $TICKS); do
        zeb_window_of_size_now "$1" && return 0
        sleep 0.1
    done
    return 1
}

# Holds a key until its effect shows: under load a frame can take longer than any fixed
# hold. Only for keys whose repeats do no harm (Escape): a held key auto-repeats.
# hold_until WINDOW KEY COMMAND...: true when COMMAND succeeded while the key was held.
hold_until() {
    local win=$1 key=$2
    shift 2
    xdotool keydown --window "$win" "$key"
    local ok=1
    for _ in $(seq $TICKS); do
        if "$@"; then ok=0; break; fi
        sleep 0.1
    done
    xdotool keyup --window "$win" "$key" 2>/dev/null
    return $ok
}
# tap KEY: pressed and released within 10 ms, shorter than any frame here, to the focused
# window. A tap acts once however slow the frames are; a held F1 would toggle again at
# every auto-repeat once frames take longer than the repeat's delay.
tap() {
    xdotool keydown "$1"
    sleep 0.01
    xdotool keyup "$1"
}
# tap_until WINDOW KEY COMMAND...: the same tap sent to WINDOW, then waits for COMMAND.
tap_until() {
    local win=$1 key=$2
    shift 2
    xdotool keydown --window "$win" "$key"
    sleep 0.01
    xdotool keyup --window "$win" "$key"
    wait_until "$@"
}
# Waits for COMMAND to succeed.
wait_until() {
    for _ in $(seq $TICKS); do "$@" && return 0; sleep 0.1; done
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

# Waits for zeb to end and checks its exit code.
expect_exit() {
    for _ in $(seq $TICKS); do kill -0 "$ZEB_PID" 2>/dev/null || break; sleep 0.1; done
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
