# Sourced by the Wayland end-to-end test: private headless compositors. The caller sets
# WORK (a scratch directory) and calls wayland_stop from its EXIT trap.
#
# sway_start WIDTHxHEIGHT: sway on its headless backend with one output of that size, a
# seat without devices (wtype's virtual keyboard joins it) and XWayland; exports
# WAYLAND_DISPLAY, XDG_RUNTIME_DIR, SWAYSOCK and DISPLAY (XWayland's).
# weston_start: weston on its headless backend, which offers no input seat; exports
# WAYLAND_DISPLAY and XDG_RUNTIME_DIR.

SWAY_PID=
WESTON_PID=

# sway refuses to run as root: as root it runs as nobody, and lets root's clients in.
# Started in the background, the command takes the subshell's place, so its pid is $!.
as_compositor_user() {
    if [ "$(id -u)" -eq 0 ]; then exec setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
    else exec "$@"; fi
}

# wayland_runtime_dir NAME [OWNER]: a private runtime directory inside WORK.
wayland_runtime_dir() {
    local dir=$WORK/$1
    mkdir -p "$dir"
    chmod 711 "$WORK"
    chmod 700 "$dir"
    [ -n "${2:-}" ] && chown "$2" "$dir"
    echo "$dir"
}

sway_start() {
    local run
    if [ "$(id -u)" -eq 0 ]; then run=$(wayland_runtime_dir sway nobody:nogroup)
    else run=$(wayland_runtime_dir sway); fi
    # The config's exec runs once XWayland is up (forced at start, not on demand).
    cat >"$WORK/sway.config" <<EOF
output HEADLESS-1 resolution $1
xwayland force
exec sh -c 'xhost +si:localuser:$(id -un) >/dev/null; echo "\$DISPLAY" >$run/display'
EOF
    chmod 644 "$WORK/sway.config"
    as_compositor_user env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$run" HOME="$run" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
    SWAY_PID=$!
    for _ in $(seq 300); do [ -s "$run/display" ] && break; sleep 0.1; done
    [ -s "$run/display" ] || { echo "sway did not start XWayland:"; cat "$WORK/sway.log"; return 1; }
    export XDG_RUNTIME_DIR=$run WAYLAND_DISPLAY=wayland-1 SDL_AUDIODRIVER=dummy
    WAYLAND_DISPLAY=$(cd "$run" && ls wayland-* | grep -v lock | head -n 1)
    SWAYSOCK=$(ls "$run"/sway-ipc.*.sock | head -n 1)
    DISPLAY=$(cat "$run/display")
    export WAYLAND_DISPLAY SWAYSOCK DISPLAY
    for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "XWayland did not answer:"
    cat "$WORK/sway.log"
    return 1
}

weston_start() {
    local run
    run=$(wayland_runtime_dir weston)
    XDG_RUNTIME_DIR=$run weston --backend=headless-backend.so --socket=zeb-test --idle-time=0 \
        >"$WORK/weston.log" 2>&1 &
    WESTON_PID=$!
    for _ in $(seq 300); do [ -S "$run/zeb-test" ] && break; sleep 0.1; done
    [ -S "$run/zeb-test" ] || { echo "weston did not start:"; cat "$WORK/weston.log"; return 1; }
    export XDG_RUNTIME_DIR=$run WAYLAND_DISPLAY=zeb-test SDL_AUDIODRIVER=dummy
}

wayland_stop() {
    [ -n "$SWAY_PID" ] && kill "$SWAY_PID" 2>/dev/null
    [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null
    SWAY_PID=
    WESTON_PID=
}
