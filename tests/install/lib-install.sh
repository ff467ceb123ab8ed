# shellcheck shell=bash
# Helpers shared by install-test.sh and deb-test.sh: play an installed game on
# a private Xvfb (tests/realwindow/lib.sh and game.sh) and check that it found
# what it reads at run time. The game runs under strace, which logs every file
# it opens, so a check can tell which folder it took its backdrop and its
# sound cues from.
#
#   source lib-install.sh          # sources ../realwindow/lib.sh and game.sh too
#   rw_init NAME ARTIFACT_ROOT; rw_start_xvfb
#   inst_start_game PATH_DIRS      # runs "marvesto" looked up in PATH_DIRS
#   inst_wait_prompt; inst_check_program EXE; inst_answer_prompts
#   inst_check_backdrop DATADIR; inst_check_sounds DATADIR; inst_check_qt_runtime

INST_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/realwindow/lib.sh
source "$INST_HERE/../realwindow/lib.sh"
# shellcheck source=tests/realwindow/game.sh
source "$INST_HERE/../realwindow/game.sh"

INST_TRACE=
INST_STRACE_PID=
INST_MARKET_BACKGROUND='#FFFFC0' # "Boxes in vendita": navy text on light yellow
INST_MARKET_MIN_INK=1000         # an empty list has none; one line has thousands
INST_CUES=(1 2 3 5 6)            # Sound/<cue>.wav

# inst_require TOOL...: fails naming the tools that are missing.
inst_require() {
  local tool missing=()
  for tool in "$@"; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  ((${#missing[@]} == 0)) || rw_fail "missing tools: ${missing[*]}"
}

# inst_start_game PATH_DIRS: starts "marvesto" by name with PATH=PATH_DIRS, as
# the desktop entry's Exec=marvesto does, from an empty working folder, under
# strace. RW_APP_PID is the game's own pid (strace's child, once it runs the
# program). Its sound server is one that does not exist: the cues are still
# read (and traced) when they play, and no server of the machine's is used.
inst_start_game() {
  local cwd=$RW_TMP/cwd runtime=$RW_TMP/runtime deadline=$((SECONDS + 10)) pid=
  mkdir -p "$cwd"
  mkdir -m 700 "$runtime"
  INST_TRACE=$RW_ARTIFACTS/openat.log
  RW_APP_LOG=$RW_ARTIFACTS/app.log
  (cd "$cwd" && exec strace -f -qq -e trace=openat -o "$INST_TRACE" \
    env PATH="$1" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" XDG_DATA_HOME="$RW_TMP/data" \
    PULSE_SERVER=unix:/nonexistent/marvesto-no-sound-server \
    LC_ALL=C.UTF-8 LANG=C.UTF-8 marvesto) >"$RW_APP_LOG" 2>&1 </dev/null &
  INST_STRACE_PID=$!
  while [[ -z $pid ]]; do
    # strace forks short-lived probes of its own first: wait for the program.
    pid=$(pgrep -P "$INST_STRACE_PID" -x marvesto | head -n 1 || true)
    [[ -n $pid ]] && break
    kill -0 "$INST_STRACE_PID" 2>/dev/null ||
      rw_fail "strace ended at once: $(tail -n 5 "$RW_APP_LOG")"
    ((SECONDS < deadline)) || rw_fail "strace started no program within 10 s"
    sleep 0.05
  done
  RW_APP_PID=$pid
  rw_log "started marvesto from PATH=$1 (pid $RW_APP_PID, traced by $INST_STRACE_PID)"
}

# inst_wait_prompt: RW_FOUND = the first prompt, "Nome del giocatore".
inst_wait_prompt() {
  rw_wait_window "Nome del giocatore" 40
}

# inst_check_program EXE: the window RW_FOUND belongs to the game started, and
# that game is the program EXE (after the launcher's link is followed).
inst_check_program() {
  local expected=$1 window_pid exe
  window_pid=$(xdotool getwindowpid "$RW_FOUND" 2>/dev/null || true)
  [[ $window_pid == "$RW_APP_PID" ]] ||
    rw_fail "the prompt belongs to pid '$window_pid', not to the game started ($RW_APP_PID)"
  exe=$(readlink "/proc/$RW_APP_PID/exe") || rw_fail "cannot read /proc/$RW_APP_PID/exe"
  [[ $exe == "$expected" ]] || rw_fail "the program running is $exe, not $expected"
  rw_log "the prompt is shown by $exe"
}

# inst_answer_prompts: a name, then a capital; waits for the market's lines.
inst_answer_prompts() {
  rw_type "$RW_FOUND" "Mario"
  rw_key "$RW_FOUND" Return
  rw_wait_window "Quanti euro vuoi?" 20
  local capital_prompt=$RW_FOUND
  rw_type "$capital_prompt" "10000"
  rw_key "$capital_prompt" Return
  rw_wait_no_window "Quanti euro vuoi?"
  rw_wait_ink "$INST_MARKET_BACKGROUND" "$INST_MARKET_MIN_INK" 15 ||
    rw_fail "the market ('Boxes in vendita') showed no box within 15 s"
  rw_log "the market holds $RW_INK pixels of text"
}

# inst_quote TEXT: TEXT as an extended regular expression that matches it.
inst_quote() { sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$1"; }

# inst_opened PATTERN: the trace shows a successful open of a file whose path
# matches the extended regular expression PATTERN (anchored at both ends).
inst_opened() {
  grep -Eq "openat\(AT_FDCWD, \"$1\", [^)]*\) = [0-9]+\$" "$INST_TRACE"
}

# inst_check_backdrop DATADIR: the game opened DATADIR/DeskTop.jpg, and the
# screen's bottom strip, which no game window covers, shows the photo rather
# than the plain black the main window has without it.
inst_check_backdrop() {
  local datadir=$1 width height stats mean deviation
  inst_opened "$(inst_quote "$datadir/DeskTop.jpg")" ||
    rw_fail "the game never opened $datadir/DeskTop.jpg; its opens of DeskTop.jpg: $(grep -F DeskTop.jpg "$INST_TRACE" | head -n 5)"
  rw_screenshot market
  read -r width height < <(identify -format '%w %h\n' "$RW_SHOT")
  stats=$(convert "$RW_SHOT" -crop "${width}x300+0+$((height - 310))" +repage \
    -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]' info:)
  read -r mean deviation <<<"$stats"
  awk -v m="$mean" -v d="$deviation" 'BEGIN { exit !(m > 0.03 && d > 0.005) }' ||
    rw_fail "the backdrop is not on screen: the bottom strip of $RW_SHOT has mean $mean, deviation $deviation (black is 0 0)"
  rw_log "the backdrop $datadir/DeskTop.jpg is on screen (bottom strip: mean $mean, deviation $deviation)"
}

# inst_check_sounds DATADIR: DATADIR/Sound holds every cue as a WAV file, and
# the game reads its cues there: "0" + Enter at the console opens an auction,
# whose first turn, a second later, plays cue 1 (the rivals raise) or 2 (they
# give up), and a cue's file is opened as it plays.
inst_check_sounds() {
  local datadir=$1 cue deadline
  for cue in "${INST_CUES[@]}"; do
    [[ $(head -c 4 "$datadir/Sound/$cue.wav" 2>/dev/null) == RIFF ]] ||
      rw_fail "$datadir has no sound cue Sound/$cue.wav"
  done
  game_console_command 0
  game_wait_room_open 15 || rw_fail "no auction room opened on '0' + Enter"
  rw_screenshot auction
  deadline=$((SECONDS + 15))
  until inst_opened "$(inst_quote "$datadir/Sound/")[12]\.wav"; do
    rw_check_app_alive "during the auction"
    ((SECONDS < deadline)) ||
      rw_fail "the auction's first cue was not read from $datadir/Sound; its opens of .wav files: $(grep -F .wav "$INST_TRACE" | head -n 5)"
    sleep 0.2
  done
  rw_log "$datadir/Sound holds {$(IFS=,; echo "${INST_CUES[*]}")}.wav, and the auction's cue was read from there"
}

# inst_check_qt_runtime: what Qt loads at run time, which no linker sees, was
# found: the X11 platform plugin, the JPEG reader, the Italian texts of the
# standard buttons and a font.
inst_check_qt_runtime() {
  inst_opened '.*/platforms/libqxcb\.so' || rw_fail "Qt's X11 platform plugin was not loaded"
  inst_opened '.*/imageformats/libqjpeg\.so' || rw_fail "Qt's JPEG reader was not loaded"
  inst_opened '.*/qtbase_it\.qm' || rw_fail "Qt's Italian translation qtbase_it.qm was not found"
  inst_opened '.*\.(ttf|otf|pfb)' || rw_fail "no font file was opened"
  rw_log "Qt found its X11 plugin, its JPEG reader, qtbase_it.qm and a font"
}

# inst_stop_game: ends the game (strace ends with it).
inst_stop_game() {
  rw_stop_pid "$RW_APP_PID"
  RW_APP_PID=
  [[ -n $INST_STRACE_PID ]] && rw_stop_pid "$INST_STRACE_PID"
  INST_STRACE_PID=
}
