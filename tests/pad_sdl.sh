#!/bin/bash
# Game controllers under a private virtual X server: the SDL backend's own test program
# (SDL's virtual joystick plugged in, moved, pulled out), then a recording with controller
# lines played by zeb --timedemo through the real program's loop, which must end where
# zeb-replay's headless run of the same lines ends.
# Usage: pad_sdl.sh PAD_TEST_PROGRAM PATH_TO_ZEB PATH_TO_ZEB_REPLAY (run from the build
# directory, which holds text/).
set -u
TESTS=$(realpath "$1")
ZEB=$(realpath "$2")
REPLAY=$(realpath "$3")
WORK=$(mktemp -d)
# shellcheck source=tests/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
trap 'xvfb_stop; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
xvfb_start 1280x1024 || exit 1
"$TESTS" || fail "the backend's controller tests"

# Walk with the stick, look, take a weapon with a shoulder, jump, step with the d-pad; the
# recording ends on Escape, as one made by zeb --record does.
cat >"$WORK/inputs" <<'LINES'
mode windowed
frames 1
pad lefty -32768
pad leftx 20000
frames 20
pad leftx 0
pad lefty 0
pad rightx 20000
pad righty -14000
pad rightshoulder down
frames 5
pad rightshoulder up
pad rightx 0
pad righty 0
pad a down
frames 1
pad a up
pad dpleft down
frames 4
pad dpleft up
frames 2
key Escape down
LINES
(cat "$WORK/inputs"; printf 'frames 1\nstate\n') | "$REPLAY" - >"$WORK/state.json" || fail "zeb-replay ran the inputs"
# The final checks: every field but those that follow the clock or belong to zeb-replay,
# and numbers the state's JSON cannot give exactly (beyond nine digits). Floats are the
# state's single-precision values, written as zeb --record writes them.
python3 - "$WORK/state.json" >"$WORK/checks" <<'PY' || fail "the state could not be read"
import json, struct, sys
state = json.loads(open(sys.argv[1]).read().splitlines()[-1])
for name, value in state.items():
    if name.startswith(("fps", "peak_resident")) or not isinstance(value, (bool, int, float)):
        continue
    if isinstance(value, bool):
        text = "true" if value else "false"
    elif abs(value) >= 1e9:
        continue
    elif isinstance(value, int):
        text = str(value)
    else:
        text = "%.17g" % struct.unpack("f", struct.pack("f", value))[0]
    print(f"expect {name} == {text}")
PY
grep -q "^expect heading == -" "$WORK/checks" || fail "the stick did not turn the view"
{
    echo '# A session of zeb, recorded: `zeb-replay FILE` plays it headless and checks the final state.'
    cat "$WORK/inputs"
    printf 'frames 1\nstate\n'
    cat "$WORK/checks"
} >"$WORK/pad.replay"
timeout 120 "$ZEB" --timedemo "$WORK/pad.replay" >"$WORK/zeb.log" 2>&1
code=$?
[ "$code" -eq 0 ] || { cat "$WORK/zeb.log"; fail "zeb --timedemo of the controller's recording: exit code $code"; }
grep -qF "ended in the recorded state ($(wc -l <"$WORK/checks") fields)" "$WORK/zeb.log" ||
    { cat "$WORK/zeb.log"; fail "zeb --timedemo did not end in the recorded state"; }
echo "ok: zeb --timedemo played the controller's recording to zeb-replay's state, $(wc -l <"$WORK/checks") fields"
