# shellcheck shell=bash
# Helpers for tests that drive the built game in a real window on a private
# Xvfb, with xdotool for the keyboard and mouse and ImageMagick for screenshots.
#
#   source lib.sh
#   rw_init NAME ARTIFACT_ROOT     # artifacts go to ARTIFACT_ROOT/NAME/
#   rw_start_xvfb                  # exports DISPLAY
#   rw_start_app GAME [ARGS...]
#   rw_wait_window "Nome del giocatore"; rw_type "$RW_FOUND" Mario; ...
#
# Everything started here is stopped when the test's shell exits; when it exits
# non-zero, the screen is saved to failure.png and the game's log is printed.
# Helpers that find something put it in a variable (RW_FOUND, RW_INK, ...)
# rather than printing it, so that rw_fail ends the test itself and not a
# command substitution. Window titles are found as plain text, anywhere in
# the title, ignoring case; rw_expect_title checks one exactly.

RW_SCREEN_SIZE=${RW_SCREEN_SIZE:-1280x1024x24}
RW_NAME=realwindow
RW_ARTIFACTS=
RW_TMP=
RW_XVFB_PID=
RW_APP_PID=
RW_APP_LOG=
RW_EXIT_CODE=
RW_FOUND=
RW_SHOT=
RW_INK=

rw_log() { printf '[%s %s] %s\n' "$RW_NAME" "$(date +%T)" "$*" >&2; }

rw_fail() {
  rw_log "FAIL: $*"
  exit 1
}

rw_require_tools() {
  local tool missing=()
  for tool in Xvfb xdotool xwininfo import convert compare; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  ((${#missing[@]} == 0)) || rw_fail "missing tools: ${missing[*]} (scripts/install-deps.sh test installs them)"
}

# rw_init NAME ARTIFACT_ROOT: clears ARTIFACT_ROOT/NAME and sets the exit trap.
rw_init() {
  RW_NAME=$1
  RW_ARTIFACTS=$2/$1
  rm -rf "$RW_ARTIFACTS"
  mkdir -p "$RW_ARTIFACTS"
  RW_TMP=$(mktemp -d "${TMPDIR:-/tmp}/marvesto-$1.XXXXXX")
  trap rw_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM HUP
  rw_require_tools
}

# rw_start_xvfb: a private X server on the first free display number.
rw_start_xvfb() {
  local display_file=$RW_TMP/display deadline=$((SECONDS + 20))
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 "$RW_SCREEN_SIZE" -nolisten tcp -noreset \
    3>"$display_file" >"$RW_ARTIFACTS/xvfb.log" 2>&1 &
  RW_XVFB_PID=$!
  until grep -qx '[0-9][0-9]*' "$display_file"; do
    kill -0 "$RW_XVFB_PID" 2>/dev/null ||
      rw_fail "Xvfb exited at start: $(tail -n 5 "$RW_ARTIFACTS/xvfb.log")"
    ((SECONDS < deadline)) || rw_fail "Xvfb did not start within 20 s"
    sleep 0.1
  done
  DISPLAY=":$(head -n 1 "$display_file")"
  export DISPLAY
  unset WAYLAND_DISPLAY
  xwininfo -root >/dev/null || rw_fail "cannot connect to Xvfb on $DISPLAY"
  rw_log "Xvfb on $DISPLAY ($RW_SCREEN_SIZE)"
}

# rw_start_app GAME [ARGS...]: starts the game on the X server, its output in
# ARTIFACTS/app.log. Its folder holds DeskTop.jpg and Sound/. RW_APP_WRAPPER,
# if set, is a command line to run the game under (e.g. "valgrind -q").
rw_start_app() {
  local game runtime=$RW_TMP/runtime wrapper=()
  [[ -x $1 ]] || rw_fail "no game program at $1"
  game=$(realpath "$1")
  shift
  read -ra wrapper <<<"${RW_APP_WRAPPER:-}"
  mkdir -m 700 "$runtime"
  RW_APP_LOG=$RW_ARTIFACTS/app.log
  # A settings folder of its own, so that no earlier run's settings (the sound
  # switched off) carry over, and a data folder of its own for the records,
  # shared by the test's runs and never the user's.
  (cd "$RW_TMP" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$RW_TMP/config" \
    XDG_DATA_HOME="$RW_TMP/data" LC_ALL=C.UTF-8 LANG=C.UTF-8 "${wrapper[@]}" "$game" "$@") >"$RW_APP_LOG" 2>&1 </dev/null &
  RW_APP_PID=$!
  rw_log "started $game (pid $RW_APP_PID)"
}

rw_app_alive() { [[ -n $RW_APP_PID ]] && kill -0 "$RW_APP_PID" 2>/dev/null; }

# rw_wait_app_exit SECONDS: waits for the game to end and puts its exit code in
# RW_EXIT_CODE; returns 1 if it still runs after SECONDS.
rw_wait_app_exit() {
  local deadline=$((SECONDS + $1))
  while rw_app_alive; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
  RW_EXIT_CODE=0
  wait "$RW_APP_PID" || RW_EXIT_CODE=$?
  RW_APP_PID=
  if ((RW_EXIT_CODE > 128)); then
    rw_log "the game was killed by signal SIG$(kill -l "$RW_EXIT_CODE") (exit code $RW_EXIT_CODE)"
  else
    rw_log "the game exited with code $RW_EXIT_CODE"
  fi
}

rw_check_app_alive() {
  rw_app_alive && return 0
  rw_wait_app_exit 0 || true
  rw_fail "the game exited (code $RW_EXIT_CODE) $*"
}

# rw_regex_quote TEXT: TEXT as an extended regular expression that matches it.
rw_regex_quote() { sed 's/[][\.*^$?+(){}|/]/\\&/g' <<<"$1"; }

# rw_windows REGEX: ids of the mapped windows whose title matches, one a line.
rw_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }

# rw_wait_window TITLE [SECONDS=20]: RW_FOUND = a mapped window with TITLE.
rw_wait_window() {
  local title=$1 timeout=${2:-20} regex ids deadline
  regex=$(rw_regex_quote "$title")
  deadline=$((SECONDS + timeout))
  while :; do
    ids=$(rw_windows "$regex")
    if [[ -n $ids ]]; then
      RW_FOUND=$(head -n 1 <<<"$ids")
      rw_log "window '$title' is $RW_FOUND"
      return 0
    fi
    rw_check_app_alive "while waiting for the window '$title'"
    ((SECONDS < deadline)) || rw_fail "no window titled '$title' within $timeout s"
    sleep 0.1
  done
}

# rw_expect_title WID TITLE: the window's title is exactly TITLE.
rw_expect_title() {
  local name
  name=$(xdotool getwindowname "$1") || rw_fail "cannot read the title of window $1"
  [[ $name == "$2" ]] || rw_fail "window $1 is titled '$name', not exactly '$2'"
}

# rw_wait_no_window TITLE [SECONDS=10]: waits until no window has TITLE.
rw_wait_no_window() {
  local title=$1 timeout=${2:-10} regex deadline
  regex=$(rw_regex_quote "$title")
  deadline=$((SECONDS + timeout))
  while [[ -n $(rw_windows "$regex") ]]; do
    ((SECONDS < deadline)) || rw_fail "the window '$title' is still open after $timeout s"
    sleep 0.1
  done
}

# rw_largest_window REGEX: RW_FOUND = the biggest mapped window whose title
# matches REGEX (the main window, rather than Qt's helper windows or popups).
rw_largest_window() {
  local id best='' best_area=-1 WIDTH HEIGHT
  for id in $(rw_windows "$1"); do
    rw_geometry "$id"
    if ((WIDTH * HEIGHT > best_area)); then
      best=$id
      best_area=$((WIDTH * HEIGHT))
    fi
  done
  [[ -n $best ]] || rw_fail "no window titled like /$1/"
  RW_FOUND=$best
}

# rw_geometry WID: sets X, Y, WIDTH and HEIGHT of the window.
rw_geometry() {
  # shellcheck disable=SC2034 # xdotool also prints these two
  local WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

# rw_focus WID: gives the window the keyboard focus (there is no window manager).
rw_focus() {
  timeout 5 xdotool windowfocus --sync "$1" || rw_fail "could not focus window $1"
}

# rw_type WID TEXT: types TEXT into the window.
rw_type() {
  rw_focus "$1"
  xdotool type --delay 30 -- "$2"
}

# rw_key WID KEY...: presses keys (xdotool names: Return, Escape, F1, Up...) in the window.
rw_key() {
  local wid=$1
  shift
  rw_focus "$wid"
  xdotool key --delay 50 -- "$@"
}

# rw_keys KEY...: presses keys wherever the keyboard goes now (an open menu
# grabs it).
rw_keys() { xdotool key --delay 50 -- "$@"; }

# rw_click WID X Y: a left click at X,Y inside the window.
rw_click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# rw_open_menu WID X Y: clicks at X,Y in the window and waits for a popup
# (a new mapped window). RW_FOUND = the popup; returns 1 if none opened.
rw_open_menu() {
  local before id deadline=$((SECONDS + 3))
  before=$(rw_windows '')
  rw_focus "$1"
  rw_click "$1" "$2" "$3"
  while ((SECONDS < deadline)); do
    for id in $(rw_windows ''); do
      if ! grep -qx "$id" <<<"$before"; then
        RW_FOUND=$id
        rw_log "menu $id opened by a click at $2,$3"
        return 0
      fi
    done
    sleep 0.1
  done
  rw_log "a click at $2,$3 opened no menu"
  rw_keys Escape
  return 1
}

# rw_open_file_menu WINDOW: opens the main window's "File" menu, the first of
# the bar at its top-left; its caption has no accelerator, so it is clicked.
rw_open_file_menu() {
  local spot
  for spot in "16 9" "22 10" "10 6"; do
    # shellcheck disable=SC2086 # "X Y"
    rw_open_menu "$1" $spot && return 0
  done
  rw_fail "clicking the menu bar at the top-left of the main window opened no menu"
}

# rw_screenshot NAME: the whole screen to ARTIFACTS/NAME.png; RW_SHOT = its path.
rw_screenshot() {
  RW_SHOT=$RW_ARTIFACTS/$1.png
  import -silent -window root "$RW_SHOT" || rw_fail "screenshot $1 failed"
}

# rw_ink FILE COLOUR: RW_INK = how many pixels inside the bounding box of the
# pixels of exactly COLOUR (a panel's background, e.g. '#FFFFC0') are of
# another colour: 0 for an empty panel, more with text on it; -1 when no pixel
# has COLOUR. Only one panel on screen should have that background.
rw_ink() {
  local file=$1 colour=$2 count box w h x y
  count=$(convert "$file" -alpha off -fill black +opaque "$colour" -fill white \
    -opaque "$colour" -format '%[fx:round(mean*w*h)]' info:)
  if ((count == 0)); then
    RW_INK=-1
    return 0
  fi
  # A black border first, so that trimming takes black as the background.
  box=$(convert "$file" -alpha off -fill black +opaque "$colour" -fill white \
    -opaque "$colour" -bordercolor black -border 1 -format '%@' info:)
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] ||
    rw_fail "unexpected bounding box '$box' of $colour in $file"
  w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]}
  x=$((BASH_REMATCH[3] - 1)) y=$((BASH_REMATCH[4] - 1))
  convert "$file" -alpha off -crop "${w}x${h}+${x}+${y}" +repage "$RW_TMP/ink-crop.png"
  convert -size "${w}x${h}" "xc:$colour" "$RW_TMP/ink-plain.png"
  # compare prints the count of differing pixels and exits 1 when there are any.
  RW_INK=$(compare -metric AE "$RW_TMP/ink-crop.png" "$RW_TMP/ink-plain.png" null: 2>&1 || true)
  [[ $RW_INK =~ ^[0-9]+$ ]] || rw_fail "compare failed on $file: $RW_INK"
}

# rw_wait_ink COLOUR MIN SECONDS: waits until the panel with background COLOUR
# holds at least MIN pixels of ink; returns 1 if it does not in time.
rw_wait_ink() {
  local colour=$1 min=$2 deadline=$((SECONDS + $3))
  while :; do
    rw_check_app_alive "while waiting for text on the $colour panel"
    import -silent -window root "$RW_TMP/probe.png"
    rw_ink "$RW_TMP/probe.png" "$colour"
    ((RW_INK >= min)) && return 0
    ((SECONDS < deadline)) || {
      rw_log "the $colour panel has $RW_INK pixels of ink, fewer than $min"
      return 1
    }
    sleep 0.5
  done
}

rw_stop_pid() {
  local pid=$1 deadline=$((SECONDS + 3))
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  while kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

rw_cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  if ((status != 0)) && [[ -n $RW_XVFB_PID ]] && kill -0 "$RW_XVFB_PID" 2>/dev/null; then
    import -silent -window root "$RW_ARTIFACTS/failure.png" 2>/dev/null &&
      rw_log "the screen at the failure: $RW_ARTIFACTS/failure.png"
  fi
  [[ -n $RW_APP_PID ]] && rw_stop_pid "$RW_APP_PID"
  [[ -n $RW_XVFB_PID ]] && rw_stop_pid "$RW_XVFB_PID"
  if ((status != 0)) && [[ -s $RW_APP_LOG ]]; then
    rw_log "the game's output ($RW_APP_LOG), last lines:"
    tail -n 30 "$RW_APP_LOG" >&2
  fi
  [[ -n $RW_TMP ]] && rm -rf "$RW_TMP"
  exit "$status"
}
