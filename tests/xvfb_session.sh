# Sourced by the end-to-end, install and package checks: a private virtual X server, and
# one run of zeb in it, started by any command, that must open its window and end on
# Escape. The caller sets WORK (a scratch directory) first; xvfb_stop belongs in its EXIT
# trap.

XVFB_PID=
XVFB_RUN_PID=

# xvfb_start [WIDTHxHEIGHT [XVFB-ARGUMENTS...]]: starts Xvfb (1280 x 1024 unless told) on
# a display number it picks itself (-displayfd: a number chosen by looking into
# /tmp/.X11-unix can belong to another container's server) and exports DISPLAY.
xvfb_start() {
    local size=${1:-1280x1024}
    if [ $# -gt 0 ]; then shift; fi
    exec 3>"$WORK/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp "$@" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    local number
    number=$(head -n 1 "$WORK/display")
    [ -n "$number" ] || { echo "Xvfb did not start:"; cat "$WORK/xvfb.log"; return 1; }
    export DISPLAY=:$number SDL_AUDIODRIVER=dummy
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "Xvfb did not answer:"
    cat "$WORK/xvfb.log"
    return 1
}

xvfb_stop() {
    [ -n "$XVFB_RUN_PID" ] && kill -9 "$XVFB_RUN_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_RUN_PID=
    XVFB_PID=
}

# The id of a window titled ZEB of 1024 x 768, waiting up to 60 s for it.
zeb_window() {
    local id
    for _ in $(seq 600); do
        for id in $(xwininfo -root -tree 2>/dev/null | grep -F '"ZEB":' | awk '{print $1}'); do
            xwininfo -id "$id" 2>/dev/null | grep -q 'Width: 1024' &&
                xwininfo -id "$id" 2>/dev/null | grep -q 'Height: 768' && { echo "$id"; return 0; }
        done
        kill -0 "$XVFB_RUN_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# run_windowed_and_quit LOG COMMAND...: COMMAND must exec zeb --windowed (so its pid is
# zeb's), open the window, and end with exit code 0 when Escape is held. Escape is held
# until zeb ends: a press and release handled in one batch of messages is no press.
run_windowed_and_quit() {
    local log=$1 win code
    shift
    "$@" >"$log" 2>&1 &
    XVFB_RUN_PID=$!
    if ! win=$(zeb_window); then
        echo "  no 1024x768 ZEB window; zeb's log:"
        sed 's/^/  /' "$log"
        return 1
    fi
    xdotool keydown --window "$win" Escape
    for _ in $(seq 300); do kill -0 "$XVFB_RUN_PID" 2>/dev/null || break; sleep 0.1; done
    xdotool keyup --window "$win" Escape 2>/dev/null
    if kill -0 "$XVFB_RUN_PID" 2>/dev/null; then
        echo "  zeb did not end on Escape"
        return 1
    fi
    wait "$XVFB_RUN_PID"
    code=$?
    XVFB_RUN_PID=
    [ "$code" -eq 0 ] || { echo "  exit code $code, wanted 0; zeb's log:"; sed 's/^/  /' "$log"; return 1; }
}
