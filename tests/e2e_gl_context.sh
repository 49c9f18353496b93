#!/bin/bash
# The real program under a virtual X server with the preloaded context check
# (gl_context/make_shim.py): --windowed, F1 into fullscreen and F1 back, then Escape.
# Every GL and GLU call must find a context current (GLX, through SDL), the check must
# have seen them, and zeb must end with code 0.
# Usage: e2e_gl_context.sh PATH_TO_ZEB PATH_TO_SHIM (run from the directory holding text/).
set -u
ZEB=$(realpath "$1")
SHIM=$(realpath "$2")
. "$(dirname "$0")/e2e_lib.sh"
start_x 1280x1024

SCENARIO="F1 twice under the context check"
(exec env LD_PRELOAD="$SHIM" "$ZEB" --windowed) >"$LOG" 2>&1 &
ZEB_PID=$!
WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
tap_until "$WIN" F1 has_size 1280x1024 || fail "F1 did not give a fullscreen 1280x1024 window"
WIN=$(zeb_window_of_size 1280x1024) || fail "the fullscreen window went away"
tap_until "$WIN" F1 has_size 1024x768 || fail "F1 did not bring back the 1024x768 window"
WIN=$(zeb_window_of_size 1024x768) || fail "the 1024x768 window went away"
quit_with_escape "$WIN"
grep -q "called without a current context$" "$LOG" && fail "GL called without a current context"
grep -qE "^gl context check: [1-9][0-9]* calls, 0 without a current context$" "$LOG" ||
    fail "the check did not report on zeb's calls"
echo "ok: F1 there and back and Escape made every GL call with a context current"
