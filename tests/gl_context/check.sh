#!/bin/bash
# Runs zeb-replay under the preloaded context check (make_shim.py): fullscreen toggles in
# every world and the end on Escape, a reopen failing at each step of the open, a start
# that fails, damaged data that fails the open after the context is current, and the
# replay's drawing commands after the program has ended. Each run
# must make its GL and GLU calls with a context current, and the check must have seen
# them. First the check itself must catch a call made without a context.
# Usage: check.sh SHIM PROBE ZEB_REPLAY (run from the build directory holding text/).
set -u
SHIM=$(realpath "$1")
PROBE=$(realpath "$2")
REPLAY=$(realpath "$3")
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0

fail() {
    echo "FAILED [$1]: $2"
    sed 's/^/    /' "$WORK/err" | tail -n 20
    failures=$((failures + 1))
}

# run NAME WANTED_CODE DIR SCRIPT [CALLS]: zeb-replay SCRIPT in DIR under the check; the
# check must have seen some calls unless CALLS is "none" (then it must have seen none).
run() {
    local name=$1 wanted=$2 dir=$3 script=$4 calls="[1-9][0-9]*" code
    [ "${5:-}" = none ] && calls=0
    (cd "$dir" && LD_PRELOAD=$SHIM exec "$REPLAY" "$script") >"$WORK/out" 2>"$WORK/err"
    code=$?
    if grep -q "called without a current context$" "$WORK/err"; then fail "$name" "GL called without a current context"
    elif ! grep -qE "^gl context check: $calls calls, 0 without a current context$" "$WORK/err"; then
        fail "$name" "the check did not report on its calls"
    elif [ "$code" -ne "$wanted" ]; then fail "$name" "exit code $code, wanted $wanted"
    else echo "ok: $name"; fi
}

# The check itself: a call without a context is named and fails the process.
LD_PRELOAD=$SHIM "$PROBE" 2>"$WORK/err"
code=$?
if [ "$code" -eq 0 ] || ! grep -qx "glClear called without a current context" "$WORK/err"; then
    fail "the check's own probe" "a call without a context went unnoticed (exit code $code)"
else
    echo "ok: the check names a call made without a context and fails the process"
fi

run "toggles in every world, end on Escape" 0 . "$HERE/toggles.replay"

# A reopen on F1 that fails at each step of the open; the program ends with code 1.
for step in CreateWindow GetDeviceContext ChoosePixelFormat SetPixelFormat CreateContext MakeCurrent; do
    cat >"$WORK/step.replay" <<SCRIPT
viewport 256 192
displaymode yes
answer no
frames 2
fail $step on
tap F1
expect exited == true
expect exit_code == 1
SCRIPT
    run "a reopen failing at $step" 0 . "$WORK/step.replay"
done
# A start whose context cannot be made current makes no GL call at all.
printf 'viewport 256 192\nfail MakeCurrent on\nframes 1\nexpect exit_code == 1\n' >"$WORK/start.replay"
run "a start failing at MakeCurrent" 0 . "$WORK/start.replay" none

# Damaged data: the town's roof picture missing. The town is entered with grey stand-ins;
# a toggle there reopens with the context current and fails to load the set.
mkdir -p "$WORK/damaged/text/ff"
for f in text/* text/ff/*; do [ -f "$f" ] && ln -s "$(realpath "$f")" "$WORK/damaged/$f"; done
rm "$WORK/damaged/text/krisha101.bmp"
cat >"$WORK/damaged.replay" <<'SCRIPT'
viewport 256 192
displaymode yes
answer no
frames 2
place -6.5 -7 0.59 0 0
walk 1
frames 1
expect world == 2
expect textures_blank == true
tap F1
expect_message Initialization failed.
expect exit_code == 1
SCRIPT
run "a reopen whose textures fail" 0 "$WORK/damaged" "$WORK/damaged.replay"
# The same with world 1's first picture missing: the start fails after the context is made.
rm "$WORK/damaged/text/stena001.bmp"
printf 'viewport 256 192\nanswer no\nframes 1\nexpect_message Initialization failed.\nexpect exit_code == 1\n' \
    >"$WORK/start_damaged.replay"
run "a start whose textures fail" 0 "$WORK/damaged" "$WORK/start_damaged.replay"

# zeb-replay's drawing commands after the program has ended: refused, nothing drawn.
for command in "probe 10 10" "model draw_house" "census layout"; do
    printf 'viewport 64 48\nanswer no\nframes 1\nkey Escape down\nframes 1\n%s\n' "$command" >"$WORK/after.replay"
    run "$command after the end" 1 . "$WORK/after.replay"
    grep -q "the program is not running" "$WORK/err" || fail "$command after the end" "not refused"
done

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
