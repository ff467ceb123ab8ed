#!/usr/bin/env bash
# The game drawn natively on Wayland: it starts with no X display and Qt left
# to choose, gives the compositor the app_id io.github.marvesto.Marvesto (the
# desktop entry's id) for every window, shows its first prompt, takes a name
# and a capital, opens an auction on "0" + Enter at the console, and File >
# Esci ends it with exit code 0.
#
#   wayland-test.sh GAME [ARTIFACT_ROOT]
#
# The compositor is weston with its desktop shell, drawing into a window of a
# private Xvfb (its X11 backend): weston turns the keys and clicks xdotool
# sends to that window into Wayland input for the game, as a desktop's seat
# does. Its headless backend has no seat, so nothing can type into a client
# there, and weston offers no virtual-keyboard protocol for wtype. The game
# logs its Wayland messages (WAYLAND_DEBUG=1): the test reads its windows'
# titles, app_ids and keyboard focus from them, and sees the game on screen in
# Xvfb's screenshots. Screenshots, the game's output and that log go to
# ARTIFACT_ROOT/wayland/ (by default the artifacts/ folder of the build tree
# that holds GAME).
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/realwindow/lib.sh
source "$HERE/lib.sh"
# shellcheck source=tests/realwindow/game.sh
source "$HERE/game.sh"

GAME=${1:?usage: wayland-test.sh GAME [ARTIFACT_ROOT]}
ARTIFACT_ROOT=${2:-$(cd "$(dirname "$GAME")/.." && pwd)/artifacts}
APP_ID=io.github.marvesto.Marvesto
SOCKET=marvesto-wayland
WESTON_PID=
WESTON_WINDOW=
WL_LOG=
# What wl_toplevel finds, "-" for none.
WL_TOPLEVEL=
WL_FOCUSED=
WL_GONE=
WL_APP_ID=

rw_init wayland "$ARTIFACT_ROOT"
command -v weston >/dev/null || rw_fail "missing weston (scripts/install-deps.sh test installs it)"
[[ -x $GAME ]] || rw_fail "no game program at $GAME"

# The game's own messages, without the protocol, are what a failure prints.
wl_cleanup() {
  local status=$?
  set +e
  [[ -n $WESTON_PID ]] && rw_stop_pid "$WESTON_PID"
  if [[ -s $WL_LOG ]]; then
    grep -v '^\[ *[0-9.]*\] ' "$WL_LOG" >"$RW_ARTIFACTS/app.log" || true
    RW_APP_LOG=$RW_ARTIFACTS/app.log
  fi
  (exit "$status")
  rw_cleanup
}
trap wl_cleanup EXIT

# --- weston in the X server, its output as large as the screen, at its corner.
rw_start_xvfb
runtime=$RW_TMP/wayland-runtime
mkdir -m 700 "$runtime"
read -r width height _ < <(tr 'x' ' ' <<<"$RW_SCREEN_SIZE")
# No panel (the game's window starts at the output's top-left corner, as on
# Xvfb), no animations, no screen lock.
cat >"$RW_TMP/weston.ini" <<'EOF'
[core]
idle-time=0

[shell]
panel-position=none
background-color=0xff000000
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
EOF
XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --use-pixman --config="$RW_TMP/weston.ini" \
  --socket="$SOCKET" --width="$width" --height="$height" >"$RW_ARTIFACTS/weston.log" 2>&1 </dev/null &
WESTON_PID=$!
deadline=$((SECONDS + 20))
until [[ -S $runtime/$SOCKET && -n $WESTON_WINDOW ]]; do
  kill -0 "$WESTON_PID" 2>/dev/null || rw_fail "weston exited at start: $(tail -n 10 "$RW_ARTIFACTS/weston.log")"
  ((SECONDS < deadline)) || rw_fail "weston did not start within 20 s: $(tail -n 10 "$RW_ARTIFACTS/weston.log")"
  sleep 0.1
  WESTON_WINDOW=$(xdotool search --onlyvisible --class 'Weston Compositor' 2>/dev/null | head -n 1 || true)
done
rw_log "weston $(weston --version | awk '{print $2}') on $DISPLAY, socket $SOCKET, X window $WESTON_WINDOW"

# wl_sync_pointer: weston moves its pointer by how far the X pointer moved,
# from where it was, and stops it at the output's edges; it starts at the
# corner while X's starts in the middle. Pushed to the far corner and then to
# the near one, both pointers end at 0,0, and then go where xdotool sends them.
wl_sync_pointer() {
  xdotool mousemove $((width - 1)) $((height - 1))
  xdotool mousemove 0 0
}
wl_sync_pointer

# --- The game, as play.sh starts it in a Wayland session: WAYLAND_DISPLAY
# set, no DISPLAY, no QT_QPA_PLATFORM. Sound is not this test's concern: its
# server is one that does not exist.
WL_LOG=$RW_ARTIFACTS/wayland-debug.log
(cd "$RW_TMP" && exec env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$SOCKET" \
  XDG_RUNTIME_DIR="$runtime" XDG_DATA_HOME="$RW_TMP/data" WAYLAND_DEBUG=1 PULSE_SERVER=unix:/nonexistent/marvesto-no-sound-server \
  LC_ALL=C.UTF-8 LANG=C.UTF-8 "$(realpath "$GAME")") >"$WL_LOG" 2>&1 </dev/null &
RW_APP_PID=$!
rw_log "started $GAME on Wayland (pid $RW_APP_PID)"

# wl_toplevel TITLE: the game's latest window titled TITLE, from its Wayland
# log. WL_TOPLEVEL is its xdg_toplevel, WL_FOCUSED 1 once the keyboard has
# entered its surface, WL_GONE 1 once the game has destroyed it, WL_APP_ID the
# app_id it was given.
wl_toplevel() {
  local state
  state=$(awk -v want="$1" '
    function id(line, kind) {
      if (match(line, kind "@[0-9]+")) return substr(line, RSTART + length(kind) + 1, RLENGTH - length(kind) - 1)
      return ""
    }
    function text(line, request) { sub("^.*" request "\\(\"", "", line); sub("\"\\)$", "", line); return line }
    / -> xdg_wm_base@[0-9]+\.get_xdg_surface\(/ { surface_of[id($0, "xdg_surface")] = id($0, "wl_surface"); next }
    / -> xdg_surface@[0-9]+\.get_toplevel\(/ {
      t = id($0, "xdg_toplevel"); surface[t] = surface_of[id($0, "xdg_surface")]; app[t] = ""
      if (t == found) found = ""
      next
    }
    / -> xdg_toplevel@[0-9]+\.set_title\(/ {
      t = id($0, "xdg_toplevel")
      if (text($0, "set_title") == want && t != found) { found = t; focused = 0; gone = 0 }
      next
    }
    / -> xdg_toplevel@[0-9]+\.set_app_id\(/ { app[id($0, "xdg_toplevel")] = text($0, "set_app_id"); next }
    / -> xdg_toplevel@[0-9]+\.destroy\(/ { if (id($0, "xdg_toplevel") == found) gone = 1; next }
    /wl_keyboard@[0-9]+\.enter\(/ { if (found != "" && id($0, "wl_surface") == surface[found]) focused = 1; next }
    END {
      if (found == "") print "- 0 0 -"
      else print found, focused, gone, (app[found] == "" ? "-" : app[found])
    }' "$WL_LOG")
  read -r WL_TOPLEVEL WL_FOCUSED WL_GONE WL_APP_ID <<<"$state"
}

# wl_wait_focused TITLE [SECONDS=20]: waits until a window titled TITLE is
# shown and has the keyboard.
wl_wait_focused() {
  local deadline=$((SECONDS + ${2:-20}))
  while wl_toplevel "$1" && ((!WL_FOCUSED)); do
    rw_check_app_alive "while waiting for the window '$1' to have the keyboard"
    ((SECONDS < deadline)) || rw_fail "no window titled '$1' had the keyboard within ${2:-20} s"
    sleep 0.2
  done
  rw_log "window '$1' (xdg_toplevel@$WL_TOPLEVEL, app_id $WL_APP_ID) has the keyboard"
}

# wl_wait_gone TITLE [SECONDS=10]: waits until the game has closed that window.
wl_wait_gone() {
  local deadline=$((SECONDS + ${2:-10}))
  while wl_toplevel "$1" && ((!WL_GONE)); do
    rw_check_app_alive "while waiting for the window '$1' to close"
    ((SECONDS < deadline)) || rw_fail "the window '$1' is still open after ${2:-10} s"
    sleep 0.2
  done
}

wl_popups() { grep -c ' -> xdg_surface@[0-9]*\.get_popup(' "$WL_LOG" || true; }

# wl_open_file_menu: opens File, the first menu of the bar. The main window is
# maximized at the output's top-left corner: Qt's title bar, then the menu bar,
# both in the window's colour down to the first row that is not (the edge of
# the area below; the pointer, which weston draws, is moved away from there
# first); "File" is at the left, a little above that row. A click there makes
# the game open a popup.
wl_open_file_menu() {
  local edge offset before deadline
  wl_sync_pointer
  xdotool mousemove $((width / 2)) $((height / 2))
  game_probe
  edge=$(convert "$GAME_PROBE" -crop 1x300+150+0 +repage -depth 8 txt:- |
    awk 'NR == 2 { first = $3 } NR > 2 && $3 != first && !done { split($1, p, /[,:]/); print p[2]; done = 1 }')
  [[ $edge =~ ^[0-9]+$ ]] || rw_fail "no edge below the menu bar in $GAME_PROBE"
  for offset in 10 6 14; do
    before=$(wl_popups)
    xdotool mousemove 20 $((edge - offset)) click 1
    deadline=$((SECONDS + 3))
    while (($(wl_popups) == before && SECONDS < deadline)); do
      sleep 0.1
    done
    if (($(wl_popups) > before)); then
      rw_log "the File menu opened on a click at 20,$((edge - offset))"
      return 0
    fi
  done
  rw_fail "clicks left on the menu bar (above y=$edge) opened no menu"
}

# --- First prompt, natively, with the desktop entry's id.
wl_wait_focused "Nome del giocatore" 40
rw_screenshot first-prompt
prompt_app_id=$WL_APP_ID
wl_toplevel Marvesto
[[ $WL_TOPLEVEL != - ]] || rw_fail "the game made no main window 'Marvesto' on Wayland"
[[ $WL_APP_ID == "$APP_ID" ]] || rw_fail "the main window's app_id is '$WL_APP_ID', not $APP_ID"
[[ $prompt_app_id == "$APP_ID" ]] || rw_fail "the first prompt's app_id is '$prompt_app_id', not $APP_ID"
app_ids=$(grep -o '\.set_app_id("[^"]*")' "$WL_LOG" | sort -u)
[[ $app_ids == ".set_app_id(\"$APP_ID\")" ]] || rw_fail "the game gave other app_ids: $app_ids"
rw_log "xdg_toplevel@$WL_TOPLEVEL.set_app_id(\"$APP_ID\"): the main window and the prompt carry the desktop id"

# --- Name and capital, typed into weston's window: keys reach the prompt that
# has the keyboard.
rw_type "$WESTON_WINDOW" "Mario"
rw_key "$WESTON_WINDOW" Return
wl_wait_focused "Quanti euro vuoi?" 20
rw_type "$WESTON_WINDOW" "10000"
rw_key "$WESTON_WINDOW" Return
wl_wait_gone "Quanti euro vuoi?" 10
wl_wait_gone "Nome del giocatore" 10
game_wait_market 15

# --- An auction, from the console (clicked on, as on X11: game.sh).
GAME_MAIN=$WESTON_WINDOW
game_console_command 0
game_wait_room_open 15 || rw_fail "no auction room opened on '0' + Enter"
rw_screenshot auction-room
rw_log "the auction room is open: $RW_SHOT"

# --- File > Esci: Up picks the menu's last item (the open menu has the keys).
wl_open_file_menu
rw_keys Up
sleep 0.3
rw_screenshot file-menu
rw_keys Return
rw_wait_app_exit 20 || rw_fail "the game still runs 20 s after File > Esci"
((RW_EXIT_CODE == 0)) || rw_fail "the game exited with code $RW_EXIT_CODE after File > Esci"
rw_log "PASS: on Wayland with app_id $APP_ID, answered both prompts, opened an auction, quit from File > Esci"
