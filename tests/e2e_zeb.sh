#!/bin/bash
# End-to-end runs of the real program under a virtual X server (1280 x 1024, one mode):
#  1. the start-up question answered No (Escape, typed: the box has the keyboard without a
#     window manager): a 1024 x 768 window titled "ZEB", centred on the screen, started
#     from a directory without text/ (the data is found next to the program);
#  2. answered Yes (Return): fullscreen over the whole 1280 x 1024 screen, no second box;
#  3. --windowed (no question), then F1: fullscreen 1280 x 1024, no box, F1 back; F12
#     writes the 1024 x 768 frame as a PNG into $XDG_PICTURES_DIR/zeb and says where;
#  4. no data anywhere: a box lists every place zeb looked, exit code 1;
#  5. --record to a device that takes no data: said at once in a box and on stderr, the
#     session plays on, and Escape ends it with exit code 4;
#  6. --play of what is no whole recording: refused before any window, exit code 2;
#  7. --timedemo of a recording: played through the real loop, it ends by itself, exit
#     code 0, and prints its figures with as many frames as the recording has;
#  8. a settings file ($XDG_CONFIG_HOME/zeb/zeb.conf) answering the question, binding a key
#     and holding a bad line: no box, the line named on stderr, the bound key acts in a
#     recording, the file untouched; the recording plays to its state in zeb-replay and in
#     zeb --play under other settings (its own count, not the user's).
# Each ends on Escape with exit code 0 unless said otherwise. A failing step prints zeb's
# log. Usage: e2e_zeb.sh PATH_TO_ZEB PATH_TO_ZEB_REPLAY (run from the directory holding text/).
set -u
ZEB=$(realpath "$1")
REPLAY=$(realpath "$2")
. "$(dirname "$0")/e2e_lib.sh"
start_x 1280x1024

# Starts zeb (start_zeb's arguments) and sets BOX to its start-up question. Under load
# SDL's box can fail to show; zeb then logs so and takes its fallback answer, as it
# should. Such a start says nothing about this step, so it is made again (three tries).
start_with_question() {
    local attempt
    for attempt in 1 2 3; do
        start_zeb "$@"
        for _ in $(seq $TICKS); do
            BOX=$(xwininfo -root -tree 2>/dev/null | grep -F '"Start FullScreen?":' | awk '{print $1}' | head -n 1)
            [ -n "$BOX" ] && return 0
            grep -qF "could not show a message box" "$LOG" && break
            sleep 0.1
        done
        grep -qF "could not show a message box" "$LOG" || return 1
        echo "note: the start-up box could not be shown (try $attempt); starting again"
        kill -9 "$ZEB_PID" 2>/dev/null
        wait "$ZEB_PID" 2>/dev/null
        ZEB_PID=
    done
    return 1
}

# Without a window manager nobody else gives the box the keyboard.
box_focused() {
    local focus
    focus=$(xdotool getwindowfocus 2>/dev/null | grep -E '^[0-9]+$') || return 1
    [ "$(printf '0x%x' "$focus")" = "$(printf '0x%x' "$BOX")" ]
}

# 1. No: windowed, from a directory without text/.
SCENARIO="question answered No"
mkdir -p "$WORK/elsewhere"
xdotool mousemove 0 0 # away from where the box appears: keys go to the box only if it has the focus
start_with_question "$WORK/elsewhere" || fail "no start-up question"
wait_until box_focused || fail "the start-up box did not take the keyboard"
xdotool key Escape
WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
[ "$(client_area "$WIN")" = "128 128 1024 768" ] || fail "the window is not centred: $(client_area "$WIN")"
quit_with_escape "$WIN"
echo "ok: No, typed, opened 1024x768 \"ZEB\" centred, with the data next to the program; Escape ended it with code 0"

# 2. Yes: fullscreen over the desktop, and no "not supported" box.
SCENARIO="question answered Yes"
start_with_question . || fail "no start-up question"
wait_until box_focused || fail "the start-up box did not take the keyboard"
xdotool key Return
WIN=$(zeb_window_of_size 1280x1024) || fail "no fullscreen 1280x1024 ZEB window"
sleep 0.5
has_window "Vexa GL" && fail "a second box appeared"
quit_with_escape "$WIN"
echo "ok: Yes covered the 1280x1024 screen without a second box, Escape ended it with code 0"

# 3. --windowed, then F1 into fullscreen and back, then F12.
SCENARIO="--windowed, F1 and F12"
PICTURES=$(mktemp -d)
export XDG_PICTURES_DIR=$PICTURES
start_zeb . --windowed
WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
has_window "Start FullScreen?" && fail "--windowed still asked"
tap_until "$WIN" F1 has_size 1280x1024 || fail "F1 did not give a fullscreen 1280x1024 window"
WIN=$(zeb_window_of_size 1280x1024) || fail "the fullscreen window went away"
sleep 0.5
has_window "Vexa GL" && fail "F1 showed the \"not supported\" box"
tap_until "$WIN" F1 has_size 1024x768 || fail "F1 did not bring back the 1024x768 window"
WIN=$(zeb_window_of_size 1024x768) || fail "the 1024x768 window went away"
# The PNG's header: its signature, then the width and height as big-endian words.
picture_of_size() {
    local f
    f=$(ls "$PICTURES"/zeb/zeb-*.png 2>/dev/null | head -1)
    [ -n "$f" ] && grep -q "screenshot saved to $f" "$LOG" &&
        [ "$(od -An -tx1 -j16 -N8 "$f" | tr -d ' \n')" = "$1" ]
}
tap_until "$WIN" F12 picture_of_size 0000040000000300 || fail "F12 wrote no 1024x768 PNG into $PICTURES/zeb"
quit_with_escape "$WIN"
unset XDG_PICTURES_DIR
rm -rf "$PICTURES"
echo "ok: --windowed asked nothing, F1 went to 1280x1024 fullscreen and back, F12 kept the frame, Escape ended it with code 0"

# 4. No data in the working directory, next to the program, in ../share/zeb or $ZEB_DATA.
SCENARIO="no data"
mkdir -p "$WORK/bare"
cp "$ZEB" "$WORK/bare/zeb"
(cd "$WORK/bare" && exec env -u ZEB_DATA ./zeb --windowed) >"$LOG" 2>&1 &
ZEB_PID=$!
# The box comes before any window; should SDL fail to show it, zeb says so in the log and
# goes on with the box's only answer. Either way nothing waits.
answered=
for _ in $(seq $TICKS); do
    BOX=$(xwininfo -root -tree 2>/dev/null | grep -F '"ERROR":' | awk '{print $1}' | head -n 1)
    [ -n "$BOX" ] && box_focused && { xdotool key Return; answered=1; break; }
    grep -qF "could not show a message box" "$LOG" && { answered=1; break; }
    sleep 0.1
done
[ -n "$answered" ] || fail "no box saying the data is missing"
expect_exit 1
for place in "cannot find its data directory text/" "$WORK/bare/text" "$WORK/share/zeb/text" \
    "(ZEB_DATA is not set)"; do
    grep -qF -- "$place" "$LOG" || fail "zeb did not say \"$place\""
done
echo "ok: without data a box listed every place zeb looked, then the program ended with code 1"

# 5. A recording that cannot be written is said while the user plays, not after.
SCENARIO="--record /dev/full"
start_zeb . --windowed --record /dev/full
answered=
for _ in $(seq $TICKS); do
    BOX=$(xwininfo -root -tree 2>/dev/null | grep -F '"ERROR":' | awk '{print $1}' | head -n 1)
    [ -n "$BOX" ] && box_focused && { xdotool key Return; answered=1; break; }
    grep -qF "could not show a message box" "$LOG" && { answered=1; break; }
    zeb_ended && break
    sleep 0.1
done
[ -n "$answered" ] || fail "no box saying the recording could not be written"
grep -qF "the recording could not be written: /dev/full (No space left on device)" "$LOG" ||
    fail "stderr did not name the recording's file and reason"
WIN=$(zeb_window_of_size 1024x768) || fail "the session did not play on"
hold_until "$WIN" Escape zeb_ended || fail "zeb did not end on Escape"
expect_exit 4
echo "ok: --record /dev/full was said at once in a box and on stderr; the play went on, exit code 4"

# 6. A recording is played only whole, and only with checks of this program's fields.
SCENARIO="--play of no whole recording"
HEADER='# A session of zeb, recorded: `zeb-replay FILE` plays it headless and checks the final state.'
printf '%s\nframes 1\nstate\n' "$HEADER" >"$WORK/cut.replay"
printf '%s\nframes 1\nstate\nexpect no_such_field == 1\n' "$HEADER" >"$WORK/unknown.replay"
printf '%s\nframes 1\nstate\nexpect world == 1\n' "$HEADER" >"$WORK/short.replay"
printf '%s\nsetting bind Space jumpp\nframes 1\nstate\nexpect world == 1\n' "$HEADER" >"$WORK/setting.replay"
for refusal in "cut.replay:3: the recording ends before the checks of its final state: it was cut" \
    'unknown.replay: the recording checks a field this program does not have: "no_such_field"' \
    "short.replay: the recording's final checks lack " \
    'setting.replay:2: unknown action "jumpp"'; do
    start_zeb "$WORK" --windowed --play "$WORK/${refusal%%:*}"
    expect_exit 2
    grep -qF -- "$refusal" "$LOG" || fail "zeb did not say \"$refusal\""
    has_window ZEB && fail "a window opened"
done
echo "ok: --play refused a cut recording, one checking an unknown field, one lacking checks and one with a bad setting, exit code 2"

# 7. A timedemo plays the recording through the loop and times it; the figures are not
# judged here (the machine's load decides them), only that they are there and whole.
SCENARIO="--timedemo"
{
    echo "$HEADER"
    echo "mode windowed"
    echo "frames 1"
    for _ in $(seq 40); do printf 'mouse 25 0\nframes 1\n'; done
    printf 'key 38 down\nframes 19\nkey 38 up\nkey 27 down\nframes 1\nstate\n'
    printf 'expect world == 1\nexpect frame == 61\nexpect heading == -50\n' # 1000 pixels right
} >"$WORK/tour.replay"
start_zeb . --timedemo "$WORK/tour.replay"
expect_exit 0
grep -qxF "timedemo $WORK/tour.replay" "$LOG" || fail "no timedemo line naming the recording"
grep -qx "frames 61" "$LOG" || fail "the frame count is not the recording's 61"
for figure in seconds fps period_median_ms period_p95_ms cpu_ms_per_frame; do
    grep -qE "^$figure [0-9]+\.[0-9]+$" "$LOG" || fail "no figure $figure"
done
grep -qF "ended in the recorded state (3 fields)" "$LOG" || fail "the timedemo did not end in the recorded state"
echo "ok: --timedemo played 61 frames through the loop, ended by itself with code 0 and printed its figures"

# 8. The settings file: read once, never written; a recording carries what it set.
SCENARIO="settings file"
mkdir -p "$WORK/config/zeb" "$WORK/other/zeb"
CONF=$WORK/config/zeb/zeb.conf
printf '# mine\nstart = windowed\nbind Space jumpp\nbind Space weapon_3\n' >"$CONF"
printf 'start = fullscreen\nbind Space weapon_1\nmouse_sensitivity = 7\n' >"$WORK/other/zeb/zeb.conf"
touch -d '2001-02-03 04:05:06' "$CONF"
before=$(stat -c '%Y %s' "$CONF")
sum=$(sha256sum <"$CONF")
export XDG_CONFIG_HOME=$WORK/config
start_zeb . --record "$WORK/settings.replay"
WIN=$(zeb_window_of_size 1024x768) || fail "no 1024x768 ZEB window"
has_window "Start FullScreen?" && fail "start = windowed still asked"
grep -qxF "zeb: $CONF:3: unknown action \"jumpp\"" "$LOG" || fail "the bad line was not named on stderr"
# Space is seen once a frame has stepped after its release: the pointer's motion, recorded
# after it, writes that frame out.
space_stepped() {
    xdotool mousemove_relative 1 0
    awk '/^key Space up/ {up = 1} up && /^frames/ {ok = 1} END {exit !ok}' "$WORK/settings.replay"
}
tap_until "$WIN" space space_stepped || fail "the tap of Space was not recorded with a frame after it"
quit_with_escape "$WIN"
grep -qxF "expect held_weapon == 3" "$WORK/settings.replay" || fail "Space did not take weapon 3"
for line in "setting start windowed" "setting bind Space weapon_3"; do
    grep -qxF "$line" "$WORK/settings.replay" || fail "the recording lacks \"$line\""
done
grep -q "^mode " "$WORK/settings.replay" && fail "the file's start was recorded as a command line's"
[ "$(stat -c '%Y %s' "$CONF")" = "$before" ] && [ "$(sha256sum <"$CONF")" = "$sum" ] ||
    fail "the settings file was changed"
[ "$(ls "$WORK/config/zeb")" = "zeb.conf" ] || fail "something was written beside the settings file"
"$REPLAY" "$WORK/settings.replay" >"$LOG" 2>&1 || fail "zeb-replay did not play the recording to its state"
export XDG_CONFIG_HOME=$WORK/other
start_zeb . --play "$WORK/settings.replay"
expect_exit 0
grep -qF "ended in the recorded state" "$LOG" || fail "--play under other settings ended elsewhere"
unset XDG_CONFIG_HOME
echo "ok: the settings file answered the question, bound Space, named its bad line, stayed untouched; its recording played to its state in zeb-replay and zeb --play"
