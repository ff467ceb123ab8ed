#!/bin/bash
# Plays cues through QtSoundOutput into a null sink of a private PulseAudio
# server, records the sink and checks what the cues put there.
#
# Usage: real-sound-test.sh TST_REALSOUND DATA_FOLDER
#   TST_REALSOUND  the helper that plays the cues (tst_realsound.cpp)
#   DATA_FOLDER    a program folder holding Sound/1.wav, 5.wav and 6.wav
#
# The helper plays them from a program folder of the script's own, which also
# holds broken.wav: a cue whose header does not agree with itself.
#
# Needs pulseaudio, pulseaudio-utils (pactl, pacat, parec) and python3. When
# PulseAudio cannot run, the test fails: it never skips.
set -u

helper=$1
data=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()

cleanup() {
    local i
    # The server last, after its clients.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
    echo "FAIL: $*" >&2
    if [[ -s $work/recording.raw ]]; then
        cp "$work/recording.raw" real-sound-recording.raw &&
            echo "Recording kept (raw s16le mono 44100 Hz): $PWD/real-sound-recording.raw" >&2
    fi
    if [[ -s $work/pulse.log ]]; then
        echo "--- end of the PulseAudio log:" >&2
        tail -n 15 "$work/pulse.log" >&2
    fi
    exit 1
}

helper_failed() {
    cat "$work/out.txt" "$work/err.txt" >&2
    fail "$@"
}

# Runs the command until it succeeds, for up to ten seconds.
wait_until() {
    local i
    for ((i = 0; i < 500; i++)); do
        "$@" && return 0
        sleep 0.02
    done
    return 1
}

recording_flows() { (($(stat -c %s "$work/recording.raw") > 17640)); }
has_line() { grep -qx "$1" "$work/out.txt"; }
# Output streams the helper has open.
helper_streams() {
    pactl list sink-inputs |
        grep -c "application.process.binary = \"$(basename "$helper")\""
}

# 16-bit stereo whose header claims 2-byte frames, and a byte rate to match,
# with 6 bytes of sound: played as it is, Qt would hand PulseAudio a part
# frame, and the helper would hang.
mkdir -p "$work/program/Sound"
cp "$data"/Sound/{1,5,6}.wav "$work/program/Sound/" || fail "no cues in $data/Sound"
python3 - "$work/program/Sound/broken.wav" <<'EOF' || fail "cannot write broken.wav"
import struct, sys
fmt = struct.pack('<HHIIHH', 1, 2, 44100, 88200, 2, 16)
data = bytes(6)
body = (b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt
        + b'data' + struct.pack('<I', len(data)) + data)
with open(sys.argv[1], 'wb') as f:
    f.write(b'RIFF' + struct.pack('<I', len(body)) + body)
EOF
data=$work/program

# A server of our own, in private runtime and home folders: nothing leaks in
# from a desktop session, nothing is left behind. It runs as root too, and in
# the foreground as our child, so that whoever ends this script ends it too.
mkdir -m 700 "$work/run" "$work/home"
export XDG_RUNTIME_DIR=$work/run HOME=$work/home
export PULSE_SERVER=unix:$work/run/pulse/native
unset PULSE_SINK PULSE_SOURCE
# The helper needs no display.
export QT_QPA_PLATFORM=offscreen
pulseaudio --daemonize=no --system=false -n --use-pid-file=no \
    --exit-idle-time=-1 --disallow-exit --high-priority=no --realtime=no --enable-memfd=no \
    --log-level=info --log-target="file:$work/pulse.log" \
    --load="module-native-protocol-unix auth-anonymous=1" &
server=$!
pids+=("$server")
server_answers() {
    pactl info >/dev/null 2>&1 && return 0
    kill -0 "$server" 2>/dev/null || fail "pulseaudio would not start"
    return 1
}
wait_until server_answers || fail "pulseaudio does not answer"

# The sink has the cues' format, so nothing is resampled on the way to the
# recording. A silent stream keeps the sink running, so the recording has no
# gaps between the cues.
pactl load-module module-null-sink sink_name=marvesto_null \
    format=s16le rate=44100 channels=1 >/dev/null || fail "no null sink"
pactl set-default-sink marvesto_null || fail "cannot make the null sink the default"
pacat --playback -d marvesto_null --format=s16le --rate=44100 --channels=1 \
    --latency-msec=20 </dev/zero &
pids+=("$!")
parec -d marvesto_null.monitor --format=s16le --rate=44100 --channels=1 \
    --latency-msec=20 >"$work/recording.raw" &
recorder=$!
pids+=("$recorder")
# The monitor takes a moment to deliver; the cues must not start before.
wait_until recording_flows || fail "nothing comes from the sink's monitor"

echo "== (a) broken.wav then 5.wav, (b) 1.wav cut off by 6.wav"
timeout 60 "$helper" "$data" >"$work/out.txt" 2>"$work/err.txt" &
player=$!
pids+=("$player")
wait_until has_line sounding || helper_failed "the helper never got to 6.wav"
sounding=$(helper_streams)
wait_until has_line quiet || helper_failed "the helper never got to the end"
quiet=$(helper_streams)
wait "$player"
status=$?
[[ $status == 0 ]] || helper_failed "the helper ended with status $status"
cat "$work/out.txt"
[[ $(grep -cx alert "$work/out.txt") == 1 &&
    $(grep -x -A1 alert "$work/out.txt" | tail -n 1) == "play broken "* ]] ||
    fail "broken.wav, and it alone, should fall back to the alert"
echo "output streams of the helper: $sounding while 6.wav sounds, $quiet once quiet"
[[ $sounding == 1 ]] || fail "one output stream should be open while a cue sounds"
[[ $quiet == 0 ]] || fail "an output stream is still open with nothing to play"

sleep 0.3
kill -INT "$recorder"
wait "$recorder"
python3 "$here/check-recording.py" "$work/recording.raw" "$data/Sound" ||
    fail "the recording does not show the cues as played"

echo "== (c) no Sound folder"
mkdir "$work/nosound"
timeout 60 "$helper" "$work/nosound" >"$work/out.txt" 2>"$work/err.txt"
status=$?
[[ $status == 0 ]] || helper_failed "without sounds the helper ended with status $status"
cat "$work/out.txt"
[[ $(grep -c alert "$work/out.txt") == 4 ]] || fail "each missing cue should sound the alert"

echo "== (d) no audio server"
PULSE_SERVER=unix:$work/no-server timeout 60 "$helper" "$data" >"$work/out.txt" 2>"$work/err.txt"
status=$?
[[ $status == 0 ]] || helper_failed "without a server the helper ended with status $status"
cat "$work/out.txt"

echo "PASS"
