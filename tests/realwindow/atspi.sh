# shellcheck shell=bash
# A private accessibility bus for a real-window test, on top of lib.sh: a
# session D-Bus, the AT-SPI bus and its registry, and a listener that records
# what a screen reader would hear (atspi.py). The game started after
# atspi_start exposes its widgets (QT_LINUX_ACCESSIBILITY_ALWAYS_ON).
#
#   atspi_start; rw_start_app GAME; ...; atspi_events_between T0 T1 TYPE NAME
#
# Needs dbus, at-spi2-core, python3-gi and gir1.2-atspi-2.0.

ATSPI_EVENTS=
ATSPI_PIDS=()
ATSPI_COUNT=0

atspi_now() { /usr/bin/python3 -c 'import time; print(f"{time.monotonic():.3f}")'; }

# atspi_start: the buses and the listener; events go to ARTIFACTS/atspi-events.tsv.
atspi_start() {
  local address deadline
  address=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=2 2>"$RW_TMP/dbus.pid") ||
    rw_fail "cannot start a session D-Bus"
  ATSPI_PIDS+=("$(head -n 1 "$RW_TMP/dbus.pid")")
  export DBUS_SESSION_BUS_ADDRESS=$address
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$RW_ARTIFACTS/atspi-bus.log" 2>&1 &
  ATSPI_PIDS+=($!)
  ATSPI_EVENTS=$RW_ARTIFACTS/atspi-events.tsv
  : >"$ATSPI_EVENTS"
  deadline=$((SECONDS + 20))
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi.py" listen "$ATSPI_EVENTS" \
    >"$RW_TMP/atspi-listener.out" 2>"$RW_ARTIFACTS/atspi-listener.log" &
  ATSPI_PIDS+=($!)
  until grep -q listening "$RW_TMP/atspi-listener.out" 2>/dev/null; do
    ((SECONDS < deadline)) || rw_fail "the AT-SPI listener did not start: $(tail -n 5 "$RW_ARTIFACTS/atspi-listener.log")"
    sleep 0.2
  done
  rw_log "AT-SPI bus on $DBUS_SESSION_BUS_ADDRESS, events to $ATSPI_EVENTS"
}

atspi_stop() {
  local i
  # The last started first: Orca before the buses it listens on.
  for ((i = ${#ATSPI_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${ATSPI_PIDS[i]}" 2>/dev/null || true
  done
  ATSPI_PIDS=()
}

# atspi_count FROM TO TYPE NAME [TEXT]: ATSPI_COUNT = events of TYPE (a prefix)
# from an accessible whose name begins with NAME, between the monotonic times
# FROM and TO, whose text contains TEXT when given.
atspi_count() {
  ATSPI_COUNT=$(awk -F'\t' -v from="$1" -v to="$2" -v type="$3" -v name="$4" -v text="${5:-}" '
    $1 >= from && $1 <= to && (type == "" || index($2, type) == 1) && index($4, name) == 1 &&
      (text == "" || index($5, text) > 0) { n++ }
    END { print n + 0 }' "$ATSPI_EVENTS")
}

# atspi_tree NAME FILE: the accessible tree of the game's window named like NAME.
atspi_tree() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi.py" tree "$1" >"$2" 2>&1 ||
    rw_fail "no accessible tree for '$1': $(tail -n 3 "$2")"
}

# atspi_start_orca: the Orca screen reader on that bus, speaking through
# speech-dispatcher and espeak-ng into a null ALSA device, with a home of its
# own; what it says goes to ARTIFACTS/orca-debug.log (atspi_spoken reads it).
# Needs orca, speech-dispatcher, speech-dispatcher-espeak-ng.
ORCA_LOG=
atspi_start_orca() {
  local home=$RW_TMP/orca-home run=$RW_TMP/orca-run deadline
  mkdir -p "$home/.local/share/orca" "$home/.config" "$home/speechd"
  mkdir -m 700 "$run"
  printf '%s\n' 'pcm.!default { type null }' 'ctl.!default { type hw card 0 }' >"$home/.asoundrc"
  # Orca's debug file is block-buffered unless told otherwise.
  printf '%s\n' 'import orca.debug as d' 'd.debugFile and d.debugFile.reconfigure(line_buffering=True)' \
    >"$home/.local/share/orca/orca-customizations.py"
  cp -r /etc/speech-dispatcher/. "$home/speechd"
  # espeak-ng alone: naming a module stops speech-dispatcher from starting every one it finds.
  printf '%s\n' 'AudioOutputMethod "alsa"' 'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
    'DefaultModule espeak-ng' >>"$home/speechd/speechd.conf"
  ORCA_LOG=$RW_ARTIFACTS/orca-debug.log
  : >"$ORCA_LOG"
  # Never the test's own PulseAudio, whose null sink records the game's cues.
  # At the lowest priority, so that the game and the test's own keys come first.
  local env=(nice -n 19 env -u PULSE_CLIENTCONFIG PULSE_SERVER=unix:/nonexistent HOME="$home"
    XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
    XDG_RUNTIME_DIR="$run" LC_ALL=C.UTF-8 GSETTINGS_BACKEND=memory)
  "${env[@]}" speech-dispatcher -s -t 0 -C "$home/speechd" -L "$RW_ARTIFACTS" \
    >"$RW_ARTIFACTS/speechd.out" 2>&1 &
  ATSPI_PIDS+=($!)
  deadline=$((SECONDS + 90)) # a loaded machine starts them slowly
  until [[ -S $run/speech-dispatcher/speechd.sock ]]; do
    ((SECONDS < deadline)) || rw_fail "speech-dispatcher did not start: $(tail -n 5 "$RW_ARTIFACTS/speechd.out")"
    sleep 0.1
  done
  "${env[@]}" orca --disable=braille,braille-monitor,sound,key-echo --debug-file="$ORCA_LOG" \
    </dev/null >"$RW_ARTIFACTS/orca.out" 2>&1 &
  ATSPI_PIDS+=($!)
  until grep -q 'ORCA: Starting ATSPI registry' "$ORCA_LOG"; do
    ((SECONDS < deadline)) || rw_fail "Orca did not start: $(tail -n 5 "$RW_ARTIFACTS/orca.out")"
    sleep 0.1
  done
  rw_log "Orca runs, its speech in $ORCA_LOG"
}

# atspi_spoken [FROM_LINE]: what Orca said, an utterance a line, from line
# FROM_LINE of its log on; atspi_log_lines: how many lines that log has now.
atspi_spoken() {
  # An utterance of several lines goes on, indented, on the lines below.
  tail -n +"${1:-1}" "$ORCA_LOG" | perl -0777 -ne \
    'while (/SPEECH OUTPUT: \x27(.*?)\x27(?: voice=[a-z-]+)? ?\[?\{/sg) { (my $t = $1) =~ s/\n\s*/ /g; print "$t\n" }'
}
atspi_log_lines() { wc -l <"$ORCA_LOG"; }
