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
  local pid
  for pid in "${ATSPI_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
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
