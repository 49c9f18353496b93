#!/bin/bash
# The SDL backend's game controllers, under a private virtual X server (the backend opens
# its input only with a display the user can see): runs the test program given, with any
# arguments after it.
set -u
WORK=$(mktemp -d)
# shellcheck source=tests/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
trap 'xvfb_stop; rm -rf "$WORK"' EXIT
xvfb_start 640x480 || exit 1
"$@"
