#!/bin/bash
# zeb-replay and zeb from the command line: exit codes, messages on stderr, no stale
# output, and the script forms docs/tools.md documents.
# Usage: replay_cli.sh PATH_TO_ZEB_REPLAY PATH_TO_ZEB (run from the directory holding text/,
# the build directory: zeb-replay finds it beside itself too).
set -u
REPLAY=$(realpath "$1")
ZEB=$(realpath "$2")
BUILD=$(pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILURES=0
check() { # check NAME CONDITION...
    local name=$1
    shift
    if "$@"; then echo "ok    $name"; else echo "FAIL  $name"; FAILURES=$((FAILURES + 1)); fi
}
# run_replay EXPECTED_CODE SCRIPT: runs from the current directory, keeps stderr in $WORK/err.
run_replay() {
    printf '%s\n' "$2" | "$REPLAY" - >"$WORK/out" 2>"$WORK/err"
    local code=$?
    [ "$code" -eq "$1" ] || { echo "  exit code $code, wanted $1; stderr:"; sed 's/^/  /' "$WORK/err"; return 1; }
}
has() { grep -qF -- "$1" "$WORK/err" || { echo "  stderr lacks \"$1\":"; sed 's/^/  /' "$WORK/err"; return 1; }; }

# bmp: a missing and an undecodable file fail, say why, and leave no old OUT behind.
echo stale >"$WORK/out.rgb"
check "bmp on a missing file exits 1" run_replay 1 "bmp $WORK/missing.bmp $WORK/out.rgb"
check "bmp names the missing file" has "Failed to open DIB file $WORK/missing.bmp."
check "bmp leaves no stale OUT (missing file)" test ! -e "$WORK/out.rgb"
printf 'BM not a bitmap' >"$WORK/bad.bmp"
echo stale >"$WORK/out.rgb"
check "bmp on an undecodable file exits 1" run_replay 1 "bmp $WORK/bad.bmp $WORK/out.rgb"
check "bmp says why" has "Unknown DIB file format."
check "bmp leaves no stale OUT (bad file)" test ! -e "$WORK/out.rgb"
check "bmp on a good file writes OUT" run_replay 0 "bmp text/glaz.bmp $WORK/out.rgb"
check "OUT holds the rows" test -s "$WORK/out.rgb"

# Only regular files are read. A FIFO nobody writes to (which would hold a blocking open
# for ever) and a directory, as the script and as a picture, are refused by name at once,
# as a missing file is.
mkfifo "$WORK/fifo"
mkdir "$WORK/dir.replay"
for what in fifo dir.replay; do
    "$REPLAY" "$WORK/$what" >"$WORK/out" 2>"$WORK/err"; code=$?
    check "a script that is a $what exits 2" test "$code" -eq 2
    check "  naming it" has "zeb-replay: cannot read $WORK/$what: not a regular file"
done
# A script is read a line at a time, and what it cannot run is said safely: an empty one
# passes nothing, a recording (the recorder's header first) must end with its whole final
# state, and a line's text reaches the terminal escaped and cut short.
: >"$WORK/empty.replay"
"$REPLAY" "$WORK/empty.replay" >"$WORK/out" 2>"$WORK/err"; code=$?
check "an empty script exits 1" test "$code" -eq 1
check "  saying so" has "zeb-replay: $WORK/empty.replay holds no command"
HEADER="# A session of zeb, recorded: \`zeb-replay FILE\` plays it headless and checks the final state."
check "a recording without its final state exits 1" run_replay 1 "$HEADER
frames 1"
check "  saying it was cut" has "(standard input):2: the recording ends without its final state (no \`state\` line): it was cut"
check "a recording cut among its checks exits 1" run_replay 1 "$HEADER
frames 1
state
expect world == 1"
check "  naming a field it lacks" has "the recording's final checks lack"
check "a line with escape sequences exits 1" run_replay 1 "$(printf 'frames 1\njump\033[2J\033]0;title\007')"
check "  quoting them escaped" has '(standard input):2: unknown command "jump\x1b[2J\x1b]0;title\x07"'
check "  and none raw" bash -c "! grep -q \$'\\033' '$WORK/err'"
check "a line of 50,000 bytes exits 1" run_replay 1 "frames $(head -c 50000 /dev/zero | tr '\0' 1)"
check "  quoting 40 characters of it" has "(standard input):1: a line longer than 4096 bytes: \"frames 111111111111111111111111111111111...\""
check "  and no more" test "$(wc -c <"$WORK/err")" -lt 200

check "bmp on a FIFO exits 1" run_replay 1 "bmp $WORK/fifo $WORK/out.rgb"
check "  naming it" has "Failed to open DIB file $WORK/fifo."

# A game controller's lines act as the keys and the mouse they stand for: the stick fully
# forward as the Up arrow, the right stick fully over as 30 pixels of mouse a frame, the
# right shoulder from no weapon as the 1 key, the A button as End. Same state, field for
# field.
PAD_LINES="viewport 64 48
frames 1
pad lefty -32768
frames 10
pad lefty 0
pad rightx 32767
frames 10
pad rightx 0
pad rightshoulder down
frames 1
pad rightshoulder up
pad a down
frames 1
pad a up
frames 1
expect z ~ -1.5 0.00001
expect heading == -15
expect held_weapon == 1
expect boost_active == true
state"
KEY_LINES="viewport 64 48
frames 1
key Up down
frames 10
key Up up
$(for _ in $(seq 10); do printf 'mouse 30 0\nframes 1\n'; done)
key 1 down
frames 1
key 1 up
key End down
frames 1
key End up
frames 1
state"
check "pad lines walk, look, take a weapon and jump" run_replay 0 "$PAD_LINES"
cp "$WORK/out" "$WORK/pad.json"
check "  to the state their keys and mouse give" run_replay 0 "$KEY_LINES"
check "  field for field" cmp -s "$WORK/pad.json" "$WORK/out"
check "a pad line out of its form exits 1" run_replay 1 "pad leftx down"
check "  with its usage" has "usage: pad BUTTON down|up, or pad AXIS VALUE"

# The data is found as zeb finds it, and the script's own file names stay relative to the
# directory zeb-replay was started in. Here: the build's text/ beside the executable.
mkdir "$WORK/elsewhere"
cp "$BUILD/text/glaz.bmp" "$WORK/elsewhere/pic.bmp"
printf '%s\n' "viewport 64 48" "frames 1" "shot walk.png" "bmp pic.bmp pic.rgb" "expect world == 1" \
    >"$WORK/elsewhere/walk.replay"
rm -f "$BUILD/walk.png" "$BUILD/pic.rgb"
(cd "$WORK/elsewhere" && "$REPLAY" walk.replay >"$WORK/out" 2>"$WORK/err"); code=$?
check "run where there is no text/, it finds the data beside itself" test "$code" -eq 0
[ "$code" -eq 0 ] || sed 's/^/  /' "$WORK/err"
check "  shot writes into the directory it was started in" test -s "$WORK/elsewhere/walk.png"
check "  bmp reads and writes there too" test -s "$WORK/elsewhere/pic.rgb"
check "  and nothing lands in the data directory" test ! -e "$BUILD/walk.png" -a ! -e "$BUILD/pic.rgb"
# A copy of the program with no data beside it: ../share/zeb, then ZEB_DATA, else a list
# of every place tried and exit code 1.
mkdir -p "$WORK/prefix/bin" "$WORK/prefix/share/zeb"
cp "$REPLAY" "$WORK/prefix/bin/zeb-replay"
(cd "$WORK/elsewhere" && env -u ZEB_DATA "$WORK/prefix/bin/zeb-replay" - <<<"frames 1" >"$WORK/out" 2>"$WORK/err")
code=$?
check "with no data anywhere it exits 1" test "$code" -eq 1
check "  saying so" has "cannot find its data directory text/"
check "  and where it looked" has "$WORK/prefix/share/zeb/text"
(cd "$WORK/elsewhere" && ZEB_DATA=$BUILD "$WORK/prefix/bin/zeb-replay" - <<<"frames 1" >"$WORK/out" 2>"$WORK/err")
check "ZEB_DATA names the data" test "$?" -eq 0
ln -s "$BUILD/text" "$WORK/prefix/share/zeb/text"
(cd "$WORK/elsewhere" && env -u ZEB_DATA "$WORK/prefix/bin/zeb-replay" - <<<"frames 1" >"$WORK/out" 2>"$WORK/err")
check "an installed copy reads ../share/zeb" test "$?" -eq 0

# zeb-replay's command line: --help, unknown options, -- before a script named with -.
for help in --help -h; do
    "$REPLAY" "$help" >"$WORK/err" 2>"$WORK/out"; code=$?
    check "zeb-replay $help exits 0" test "$code" -eq 0
    check "  printing the usage on stdout" has "usage: zeb-replay"
    check "  and nothing on stderr" test ! -s "$WORK/out"
done
for option in --bogus -x; do
    "$REPLAY" "$option" >"$WORK/out" 2>"$WORK/err"; code=$?
    check "zeb-replay $option exits 2" test "$code" -eq 2
    check "  naming it" has "unknown option $option"
    check "  with the usage on stderr" has "usage: zeb-replay"
    check "  and nothing on stdout" test ! -s "$WORK/out"
done
"$REPLAY" -- >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb-replay -- without a script exits 2" test "$code" -eq 2
check "  with the usage" has "usage: zeb-replay"
printf 'frames 1\n' >"$WORK/-dash.replay"
(cd "$WORK" && "$REPLAY" -- -dash.replay >"$WORK/out" 2>"$WORK/err")
check "zeb-replay -- SCRIPT runs a script named with a leading -" test "$?" -eq 0

# Flags compare with true/false and 1/0; anything else is a script error.
check "expect on flags with true/false and 1/0" run_replay 0 "frames 1
expect world1 == true
expect world1 == 1
expect world2 == 0
expect world2 != 1
expect fullscreen == false"
check "a flag against a word that is no flag is an error" run_replay 1 "frames 1
expect world1 == yes"
check "  with a usable message" has "is a flag"

# expect_message with a newline written as \n; unshown boxes take the caller's answer.
check "expect_message matches a text with a newline" run_replay 0 "answer yes
answer yes
frames 1
expect_message The requested fullscreen mode is not supported by\nyour video card. Use windowed mode instead?
expect fullscreen == false"
check "an unshown start-up question opens windowed and F1's unshown fallback keeps running" run_replay 0 "answer unshown
frames 1
expect fullscreen == false
answer unshown
tap F1
frames 2
expect exited == false
expect fullscreen == false
expect unshown_message_count == 2"
check "  and says on stderr that it could not ask" has "could not show a message box"

# Absurd numbers are clamped, not overflowed.
check "absurd mouse deltas and numbers are clamped" run_replay 0 "frames 1
mouse 1e300 -1e300
mouse 99999999999 99999999999
frames 2
message size 1e300 -1e300
place 1e300 -1e300 nan 1e40 -1e40
frames 1
expect frame >= 4"
check "viewport renders small" run_replay 0 "viewport 160 120
frames 2
expect view_width == 160
expect view_height == 120"
check "viewport refuses nonsense" run_replay 1 "viewport 0 -3"

# fragments: one frame's counts on each path. The hall covers every pixel, the two paths
# draw it alike, and what passed is a part of what was rasterised.
counts_sane() {
    awk -F'[:,}]' '{ r = $4; p = $6; n = $8; if (!(r >= n && p <= r && p > 0)) bad = 1; lines++ }
                   END { exit !(lines == 2 && !bad) }' "$WORK/out"
}
check "fragments counts a frame on each path" run_replay 0 "viewport 160 120
frames 2
fragments
fragments literal"
check "  with counts that hold together" counts_sane
check "fragments refuses another word" run_replay 1 "frames 1
fragments bogus"
check "  with its usage" has "usage: fragments [literal]"

# calibrate: timed quads over the view that step nothing; an unknown kind is refused.
check "calibrate times every kind without stepping the session" run_replay 0 "viewport 160 120
frames 2
calibrate clear 1
calibrate minified 2
calibrate magnified 1
calibrate blended 1
calibrate untextured 1
calibrate rejected 1
expect frame == 2"
check "  one line for each" test "$(grep -c '"calibrate_[a-z]*":' "$WORK/out")" -eq 6
check "calibrate refuses an unknown kind" run_replay 1 "frames 1
calibrate shiny 2"
check "  with its usage" has "usage: calibrate clear|minified|magnified|blended|untextured|rejected|tiles16 N"

# setting: a recording's settings, in force from the start; zeb-replay reads no user file.
check "a bound key drives its action, its old key no longer, the look follows the setting" run_replay 0 "setting bind Space jump
setting mouse_sensitivity 2
setting invert_look yes
viewport 64 48
key End down
frames 1
expect boost_active == false
key End up
key Space down
frames 1
expect boost_active == true
mouse 10 10
frames 1
expect heading == -1
expect pitch == -1"
check "an unknown action is refused" run_replay 1 "setting bind Space jumpp"
check "  by name" has '(standard input):1: setting: unknown action "jumpp"'
check "a setting once the program runs is refused" run_replay 1 "frames 1
setting invert_look yes"
check "  saying so" has "(standard input):2: setting: the program has already started"

# zeb's command line.
"$ZEB" --help >"$WORK/err" 2>&1; code=$?
check "zeb --help exits 0" test "$code" -eq 0
check "  and prints usage" has "usage: zeb"
"$ZEB" --bogus >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb with an unknown option exits 2" test "$code" -eq 2
check "  and prints usage" has "usage: zeb"
"$ZEB" --windowed extra >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb with an unknown second argument exits 2" test "$code" -eq 2
check "  naming it" has "unknown option extra"
"$ZEB" --record >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb --record without a file exits 2" test "$code" -eq 2
check "  saying so" has "--record needs a file name"
"$ZEB" --record a --play b >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb --record with --play exits 2" test "$code" -eq 2
check "  naming the conflict" has "--record and --play cannot be used together"
"$ZEB" --timedemo a --play b >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb --timedemo with --play exits 2" test "$code" -eq 2
check "  naming the conflict" has "--timedemo and --play cannot be used together"
"$ZEB" --timedemo >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb --timedemo without a file exits 2" test "$code" -eq 2
check "  saying so" has "--timedemo needs a file name"
"$ZEB" --windowed --fullscreen >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb with both modes exits 2" test "$code" -eq 2
check "  naming the conflict" has "--windowed and --fullscreen cannot be used together"
# No display: stop at once with a clear message (SDL would fall back to an invisible driver).
start=$(date +%s)
env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy timeout -s KILL 20 "$ZEB" --windowed >"$WORK/out" 2>"$WORK/err"; code=$?
check "zeb without a display exits 1" test "$code" -eq 1
check "  at once" test $(( $(date +%s) - start )) -le 5
check "  saying there is no usable display" has "no usable display"

[ "$FAILURES" -eq 0 ] || { echo "$FAILURES check(s) failed"; exit 1; }
echo "all command-line checks passed"
