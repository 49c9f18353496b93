#!/bin/bash
# Game controllers under a private virtual X server: the SDL backend's own test program
# (SDL's virtual joystick plugged in, moved, pulled out), then the real program recording
# a virtual controller and playing the recording back.
# Usage: pad_sdl.sh PAD_TEST_PROGRAM PAD_DRIVER_LIBRARY PATH_TO_ZEB PATH_TO_ZEB_REPLAY (run
# from the build directory, which holds text/).
set -u
TESTS=$(realpath "$1")
DRIVER=$(realpath "$2")
ZEB=$(realpath "$3")
REPLAY=$(realpath "$4")
WORK=$(mktemp -d)
# shellcheck source=tests/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
trap 'xvfb_stop; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
xvfb_start 1280x1024 || exit 1
"$TESTS" || fail "the backend's controller tests"

# The real program with a virtual controller worked by a preloaded driver
# (tests/pad_driver.cpp: plugged in, walked, looked, a weapon taken, a jump, a trigger
# pulled, and pulled out while the stick and the trigger are held, then Escape): zeb
# --record writes what its backend made of it, releases included; zeb --play and
# zeb-replay must both end in the recorded state. SDL drops a controller's events while
# no window has the keyboard, which a bare X server need not give.
# The user's settings file stays out of it: the defaults hold.
export XDG_CONFIG_HOME=$WORK/config
SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS=1 LD_PRELOAD="$DRIVER" timeout 120 "$ZEB" --windowed --record "$WORK/pad.replay" \
    >"$WORK/record.log" 2>&1 || { cat "$WORK/record.log"; fail "zeb --record with the virtual controller"; }
for line in "pad lefty -32768" "pad rightshoulder down" "pad a up" "pad righttrigger 32767" "pad lefty 0" \
    "pad righttrigger 0"; do
    grep -qx "$line" "$WORK/pad.replay" || { cat "$WORK/pad.replay"; fail "the recording lacks \"$line\""; }
done
# The stick and the trigger held when the controller went are let go after they were last
# moved: the releases of the pull.
[ "$(grep -n '^pad righttrigger 0$' "$WORK/pad.replay" | cut -d: -f1)" -gt \
  "$(grep -n '^pad lefty -32768$' "$WORK/pad.replay" | tail -n 1 | cut -d: -f1)" ] || fail "no release after the pull"
timeout 120 "$ZEB" --play "$WORK/pad.replay" >"$WORK/play.log" 2>&1
code=$?
[ "$code" -eq 0 ] || { cat "$WORK/play.log"; fail "zeb --play of the controller's recording: exit code $code"; }
grep -qF "ended in the recorded state" "$WORK/play.log" || { cat "$WORK/play.log"; fail "zeb --play said nothing of the state"; }
"$REPLAY" "$WORK/pad.replay" >"$WORK/replay.json" 2>"$WORK/replay.err" ||
    { cat "$WORK/replay.err"; fail "zeb-replay of the controller's recording"; }
echo "ok: zeb recorded the virtual controller; zeb --play and zeb-replay ended in the recorded state"
