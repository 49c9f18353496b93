#!/bin/bash
# Damaged and oversized sound files and a missing sound device, from the command line:
#  1. zeb-replay with each damaged text/Shot.wav: one line on stderr names the file, the
#     program fires weapon 1 and goes on, and its peak memory stays that of a normal run;
#  2. zeb under a virtual X server with SDL's dummy sound driver and a damaged sound: the
#     same one line, and zeb runs on and ends with code 0;
#  3. zeb with no usable sound device: one line says sounds are off, no library prints
#     its own noise (ALSA's "ALSA lib ..." lines), and zeb runs on.
# Usage: sounds_cli.sh PATH_TO_ZEB_REPLAY PATH_TO_ZEB (run from the directory holding text/).
set -u
REPLAY=$(realpath "$1")
ZEB=$(realpath "$2")
BUILD=$(pwd)
WORK=$(mktemp -d)
XVFB=
ZEB_PID=
cleanup() {
    [ -n "$ZEB_PID" ] && kill -9 "$ZEB_PID" 2>/dev/null
    [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
FAILURES=0
check() { # check NAME CONDITION...
    local name=$1
    shift
    if "$@"; then echo "ok    $name"; else echo "FAIL  $name"; FAILURES=$((FAILURES + 1)); fi
}
lines_with() { grep -cF -- "$1" "$WORK/err"; }
one_line_naming_shot() {
    local n
    n=$(lines_with "sound text/Shot.wav will not be played")
    [ "$n" -eq 1 ] || { echo "  $n lines name text/Shot.wav; stderr:"; sed 's/^/  /' "$WORK/err"; return 1; }
}
no_line_with() {
    ! grep -qF -- "$1" "$WORK/err" || { echo "  stderr has \"$1\":"; sed 's/^/  /' "$WORK/err"; return 1; }
}

# A data directory of links to the build's data, with Shot.wav replaced.
mkdir -p "$WORK/data/text"
for f in "$BUILD"/text/*; do ln -s "$f" "$WORK/data/text/"; done
damage() { # damage KIND: writes the damaged text/Shot.wav
    rm -f "$WORK/data/text/Shot.wav"
    python3 - "$1" "$WORK/data/text/Shot.wav" <<'EOF'
import struct, sys, os
kind, path = sys.argv[1], sys.argv[2]
def wav(rate, data, claimed=None, channels=1, bits=16, tag=1):
    frame = channels * bits // 8
    fmt = struct.pack('<HHIIHH', tag, channels, rate, rate * frame, frame, bits)
    size = len(data) if claimed is None else claimed
    return b'RIFF' + struct.pack('<I', 36 + len(data)) + b'WAVE' + b'fmt ' + struct.pack('<I', 16) + fmt + \
        b'data' + struct.pack('<I', size) + data
if kind == 'slow':         # 20 KB declared at 1 frame a second
    body = wav(1, bytes(20000))
elif kind == 'long':       # a valid 64 MB sound at 8 kHz, 68 minutes
    body = wav(8000, bytes(64 << 20))
elif kind == 'liar':       # a data chunk that claims 4 GB and holds 1 KB
    body = wav(22050, bytes(1024), claimed=0xFFFFFFF0)
elif kind == 'empty':
    body = b''
elif kind == 'noise':
    body = os.urandom(20000)
elif kind == 'channels':
    body = wav(22050, bytes(4000), channels=255, bits=16)
if kind == 'directory':
    os.mkdir(path)
else:
    open(path, 'wb').write(body)
EOF
}

# 1. zeb-replay: a shot of weapon 1 with each damaged sound.
for kind in slow long liar empty noise channels directory; do
    damage "$kind"
    (cd "$WORK/data" && printf '%s\n' "key 1 down" "frames 2" "key 1 up" "button left down" "button left up" \
        "frames 2" "expect sound_count == 1" "expect peak_resident_mb < 300" |
        "$REPLAY" - >"$WORK/out" 2>"$WORK/err")
    code=$?
    check "replay with a $kind Shot.wav fires and goes on (exit $code)" test "$code" -eq 0
    check "replay names the $kind Shot.wav once" one_line_naming_shot
    rm -rf "$WORK/data/text/Shot.wav"
done

# 2 and 3 need the real program in a display.
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$WORK/display")
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

zeb_window() { xwininfo -root -tree 2>/dev/null | grep -F '"ZEB":' | awk '{print $1}' | head -n 1; }
# run_zeb: starts zeb --windowed in the data directory with the environment given, waits
# for its window and its first frames, takes weapon 1 and fires, then ends it with
# SIGTERM (SDL turns it into a close). Sets CODE; stderr is in $WORK/err.
run_zeb() {
    (cd "$WORK/data" && exec env "$@" "$ZEB" --windowed) >"$WORK/err" 2>&1 &
    ZEB_PID=$!
    local win=
    for _ in $(seq 300); do win=$(zeb_window); [ -n "$win" ] && break; sleep 0.1; done
    if [ -n "$win" ]; then
        sleep 1
        xdotool keydown --window "$win" 1 mousemove --window "$win" 512 389 click 1 2>/dev/null
        sleep 1
        xdotool keyup --window "$win" 1 2>/dev/null
    fi
    kill -0 "$ZEB_PID" 2>/dev/null && RUNNING=yes || RUNNING=no
    kill -TERM "$ZEB_PID" 2>/dev/null
    for _ in $(seq 100); do kill -0 "$ZEB_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$ZEB_PID" 2>/dev/null
    wait "$ZEB_PID"
    CODE=$?
    ZEB_PID=
}

damage slow
run_zeb SDL_AUDIODRIVER=dummy
check "zeb with a damaged Shot.wav was still running after the shot" test "$RUNNING" = yes
check "zeb with a damaged Shot.wav ended with code 0 (got $CODE)" test "$CODE" -eq 0
check "zeb names the damaged Shot.wav once" one_line_naming_shot
sed "s/^/  stderr: /" "$WORK/err"
check "zeb with a sound device says nothing of sounds being off" no_line_with "sounds are off"
rm -f "$WORK/data/text/Shot.wav"
ln -s "$BUILD/text/Shot.wav" "$WORK/data/text/Shot.wav"

# No driver that SDL can start: sounds are off, said once.
run_zeb SDL_AUDIODRIVER=zeb-no-such-driver
check "zeb without a sound driver ended with code 0 (got $CODE)" test "$CODE" -eq 0
check "zeb without a sound driver ran on" test "$RUNNING" = yes
check "zeb without a sound driver says once that sounds are off" test "$(lines_with "sounds are off")" -eq 1
# ALSA without a card prints its own errors unless told not to. A machine whose ALSA
# reaches a sound server has a device after all: then nothing is said.
run_zeb SDL_AUDIODRIVER=alsa ALSA_CARD=zeb_no_such_card
check "zeb on ALSA without a card ended with code 0 (got $CODE)" test "$CODE" -eq 0
check "zeb on ALSA without a card ran on" test "$RUNNING" = yes
check "zeb on ALSA without a card prints no ALSA lines" no_line_with "ALSA lib"
check "zeb on ALSA without a card says at most once that sounds are off" \
    test "$(lines_with "sounds are off")" -le 1
sed "s/^/  stderr: /" "$WORK/err"
[ "$FAILURES" -eq 0 ] || { echo "$FAILURES checks failed"; exit 1; }
echo "all checks passed"
