# shellcheck shell=bash
# A private PulseAudio server for tests that listen to what the game plays: a
# null sink as the default output, a silent stream that keeps it running, and
# its monitor recorded to a WAV file with parecord.
#
#   source pulse.sh
#   pa_start WORK_DIR [LOG_DIR]     # exports PULSE_SERVER; WORK_DIR must exist
#   pa_record FILE.wav              # records the null sink's monitor
#   pa_now                          # seconds since the recording started
#   ... play ...
#   pa_stop                         # ends the recorder (the WAV is complete), then the server
#
# The server runs in the foreground as a child of the test, in private runtime
# and home folders under WORK_DIR, so nothing leaks in from a desktop session
# and nothing is left behind. pa_stop is safe to call more than once; a test
# calls it from its exit trap before WORK_DIR is removed. The recording is
# 16-bit mono at 44100 Hz, the cues' own format, so nothing is resampled.
# Functions that fail print why and return 1; they never exit the shell.

PA_DIR=
PA_LOG=
PA_SERVER_PID=
PA_KEEPALIVE_PID=
PA_RECORDER_PID=
PA_RECORDING=
PA_RECORD_START=
PA_SINK=marvesto_null
PA_RATE=44100

pa_log() { printf '[pulse %s] %s\n' "$(date +%T)" "$*" >&2; }

# pa_until SECONDS COMMAND...: runs COMMAND until it succeeds; 1 if it never does.
pa_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

pa_server_answers() { pactl info >/dev/null 2>&1; }

# pa_start WORK_DIR [LOG_DIR]: starts the server and the null sink.
pa_start() {
  local tool
  for tool in pulseaudio pactl pacat parecord; do
    command -v "$tool" >/dev/null || {
      pa_log "missing $tool (pulseaudio and pulseaudio-utils)"
      return 1
    }
  done
  PA_DIR=$1/pulse
  PA_LOG=${2:-$PA_DIR}/pulseaudio.log
  mkdir -p "$PA_DIR/home"
  mkdir -m 700 "$PA_DIR/run"
  export PULSE_SERVER=unix:$PA_DIR/run/pulse/native
  # The clients (pactl, the game) never start a server of their own.
  printf 'autospawn = no\n' >"$PA_DIR/client.conf"
  export PULSE_CLIENTCONFIG=$PA_DIR/client.conf
  unset PULSE_SINK PULSE_SOURCE
  XDG_RUNTIME_DIR=$PA_DIR/run HOME=$PA_DIR/home \
    pulseaudio --daemonize=no --system=false -n --use-pid-file=no \
    --exit-idle-time=-1 --disallow-exit --high-priority=no --realtime=no --enable-memfd=no \
    --log-level="${PA_LOG_LEVEL:-info}" --log-time=true --log-target="file:$PA_LOG" \
    --load="module-native-protocol-unix auth-anonymous=1" </dev/null >/dev/null 2>&1 &
  PA_SERVER_PID=$!
  if ! pa_until 20 pa_server_answers; then
    pa_log "PulseAudio does not answer on $PULSE_SERVER: $(tail -n 5 "$PA_LOG" 2>/dev/null)"
    return 1
  fi
  pactl load-module module-null-sink sink_name=$PA_SINK \
    format=s16le rate=$PA_RATE channels=1 >/dev/null || {
    pa_log "cannot load a null sink"
    return 1
  }
  pactl set-default-sink $PA_SINK || return 1
  # A silent stream keeps the sink running, so the recording has no gaps.
  pacat --playback -d $PA_SINK --format=s16le --rate=$PA_RATE --channels=1 \
    --latency-msec=20 </dev/zero >/dev/null 2>&1 &
  PA_KEEPALIVE_PID=$!
  pa_log "PulseAudio (pid $PA_SERVER_PID) on $PULSE_SERVER with the null sink $PA_SINK"
}

pa_recording_flows() {
  [[ -f $PA_RECORDING ]] && (($(stat -c %s "$PA_RECORDING") > PA_RATE / 2 * 2 + 44))
}

# pa_record FILE.wav: records the null sink's monitor until pa_stop; returns
# once samples arrive, so that nothing played after it is missed.
pa_record() {
  PA_RECORDING=$1
  parecord -d $PA_SINK.monitor --file-format=wav --format=s16le --rate=$PA_RATE \
    --channels=1 --latency-msec=20 "$PA_RECORDING" </dev/null >/dev/null 2>"$PA_DIR/parecord.log" &
  PA_RECORDER_PID=$!
  PA_RECORD_START=$(date +%s.%N)
  if ! pa_until 15 pa_recording_flows; then
    pa_log "nothing comes from the monitor of $PA_SINK: $(cat "$PA_DIR/parecord.log")"
    return 1
  fi
  # The recording's first sample is as old as the samples written so far.
  local now size
  now=$(date +%s.%N)
  size=$(stat -c %s "$PA_RECORDING")
  PA_RECORD_START=$(awk -v n="$now" -v b="$size" -v r=$PA_RATE 'BEGIN { printf "%.3f", n - (b - 44) / (2 * r) }')
  pa_log "recording $PA_SINK.monitor to $PA_RECORDING (parecord pid $PA_RECORDER_PID)"
}

# pa_now: seconds (3 decimals) since pa_record started.
pa_now() {
  awk -v s="$PA_RECORD_START" -v n="$(date +%s.%N)" 'BEGIN { printf "%.3f\n", n - s }'
}

pa_stop_pid() {
  local pid=$1 signal=$2 deadline=$((SECONDS + 5))
  [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null || return 0
  kill "-$signal" "$pid" 2>/dev/null || true
  while kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do
    sleep 0.05
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# pa_stop: parecord first (SIGINT lets it write the WAV header's sizes), then
# the silent stream, then the server.
pa_stop() {
  pa_stop_pid "$PA_RECORDER_PID" INT
  PA_RECORDER_PID=
  pa_stop_pid "$PA_KEEPALIVE_PID" TERM
  PA_KEEPALIVE_PID=
  pa_stop_pid "$PA_SERVER_PID" TERM
  PA_SERVER_PID=
}
