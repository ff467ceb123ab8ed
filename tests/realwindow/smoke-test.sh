#!/usr/bin/env bash
# The game's command line without a display: --version, --help, and one clear
# line and exit code 1 when there is no display at all, when -reverse (Qt's)
# is given, when DISPLAY names no X server, when Wayland is asked for with no
# compositor, and for an unknown -platform. Then the game in a real window on
# a private X server, with a FIFO where its settings file goes: it asks for
# the player's name and capital, the market fills with boxes, P in the market
# pauses the game for 3 s and P resumes it, Alt+F opens the File menu, and
# Ctrl+Q ends the program with exit code 0. Last, the game in each language:
# in Italian (C.UTF-8) and in English (LANG=en_US.UTF-8, the locale need not
# be installed: Qt reads the variables itself), with the prompts' and the
# paused main window's titles in that language, and screenshots of the
# console and the auction room in each: console-it.png, auction-it.png,
# console-en.png, auction-en.png; Ctrl+H opens "Come si gioca" ("How to
# Play"), shown in how-to-play-it.png and how-to-play-en.png.
#
#   smoke-test.sh GAME [ARTIFACT_ROOT]
#
# Screenshots and the game's output go to ARTIFACT_ROOT/smoke/ (by default
# the artifacts/ folder of the build tree that holds GAME).
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/realwindow/lib.sh
source "$HERE/lib.sh"
# shellcheck source=tests/realwindow/game.sh
source "$HERE/game.sh"

GAME=${1:?usage: smoke-test.sh GAME [ARTIFACT_ROOT]}
ARTIFACT_ROOT=${2:-$(cd "$(dirname "$GAME")/.." && pwd)/artifacts}
MARKET_BACKGROUND='#FFFFC0' # "Boxes in vendita": navy text on light yellow
MARKET_MIN_INK=1000 # an empty list has none; one line of text has thousands

rw_init smoke "$ARTIFACT_ROOT"

no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
version=$("${no_display[@]}" "$GAME" --version) || rw_fail "--version failed without a display"
[[ $version =~ ^Marvesto\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || rw_fail "--version printed '$version'"
"${no_display[@]}" "$GAME" --help | grep -q -- '--version' || rw_fail "--help does not list --version"
rw_log "without a display: '$version'; --help"

# expect_no_window CASE TEXT COMMAND...: the game exits with 1 after one line holding TEXT.
expect_no_window() {
  local case=$1 text=$2 status=0 message
  shift 2
  message=$("$@" 2>&1) || status=$?
  ((status == 1)) || rw_fail "$case: the game exited with $status, not 1 ($message)"
  [[ $(wc -l <<<"$message") -eq 1 && $message == *"$text"* ]] || rw_fail "$case: the game said: $message"
  rw_log "$case: $message"
}
no_x=987
while [[ -e /tmp/.X11-unix/X$no_x ]]; do no_x=$((no_x + 1)); done
mkdir -m 700 "$RW_TMP/no-compositor"
expect_no_window "no display" "no display" "${no_display[@]}" "$GAME"
expect_no_window "-reverse" "no display" "${no_display[@]}" "$GAME" -reverse
expect_no_window "DISPLAY=:$no_x" "cannot open a window" "${no_display[@]}" DISPLAY=":$no_x" "$GAME"
expect_no_window "Wayland without a compositor" "cannot open a window" "${no_display[@]}" \
  QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$RW_TMP/no-compositor" "$GAME"
expect_no_window "-platform marvesto-none" "cannot open a window" "${no_display[@]}" \
  "$GAME" -platform marvesto-none

rw_start_xvfb
# Opened, a FIFO would hang the game before its first window; it is left alone.
settings=$RW_TMP/config/Marvesto/Marvesto.conf
mkdir -p "${settings%/*}"
mkfifo "$settings"
rw_start_app "$GAME"

rw_wait_window "Nome del giocatore"
rw_type "$RW_FOUND" "Mario"
rw_key "$RW_FOUND" Return

# The capital prompt only opens once the name has been accepted.
rw_wait_window "Quanti euro vuoi?"
capital_prompt=$RW_FOUND
rw_type "$capital_prompt" "10000"
rw_key "$capital_prompt" Return
rw_wait_no_window "Quanti euro vuoi?"

# The market offers a new box every second.
rw_wait_ink "$MARKET_BACKGROUND" "$MARKET_MIN_INK" 10 ||
  rw_fail "the market ('Boxes in vendita') showed no box within 10 s"
rw_screenshot market
rw_log "the market holds $RW_INK pixels of text: $RW_SHOT"

rw_largest_window '^Marvesto$'
main_window=$RW_FOUND
# P in the market's list pauses: the title says so and the market stands still
# for 3 s; P again resumes it, and a new box comes.
market_shot() { import -silent -window root -crop 560x230+10+60 +repage "$RW_TMP/$1.png"; }
market_differs() { [[ $(compare -metric AE "$RW_TMP/$1.png" "$RW_TMP/$2.png" null: 2>&1 || true) != 0 ]]; }
rw_click "$main_window" 300 200
sleep 0.3
rw_keys p
sleep 0.5
[[ $(xdotool getwindowname "$main_window") == "Marvesto (in pausa)" ]] ||
  rw_fail "P in the market did not pause the game: the title is '$(xdotool getwindowname "$main_window")'"
market_shot paused-1
sleep 3
market_shot paused-2
rw_screenshot paused
! market_differs paused-1 paused-2 || rw_fail "the market changed while the game was paused ($RW_SHOT)"
rw_keys p
sleep 2.5
[[ $(xdotool getwindowname "$main_window") == "Marvesto" ]] || rw_fail "P did not resume the game"
market_shot resumed
market_differs paused-2 resumed || rw_fail "the market did not go on after the pause"
rw_log "P paused the game for 3 s with the market still, and P resumed it"
# Alt+F opens the File menu (a new popup window), Esc closes it; Ctrl+Q quits.
before=$(rw_windows '')
rw_key "$main_window" alt+f
sleep 0.5
[[ -n $(comm -13 <(sort <<<"$before") <(rw_windows '' | sort)) ]] || rw_fail "Alt+F opened no menu"
rw_screenshot file-menu
rw_keys Escape
sleep 0.3
rw_key "$main_window" ctrl+q

rw_wait_app_exit 10 || rw_fail "the game still runs 10 s after Ctrl+Q"
((RW_EXIT_CODE == 0)) || rw_fail "the game exited with code $RW_EXIT_CODE after Ctrl+Q"
[[ -p $settings ]] || rw_fail "the FIFO where the settings file goes was replaced"
(($(grep -c "settings file .* left alone" "$RW_APP_LOG") == 1)) ||
  rw_fail "the game did not say once that it left the settings file alone"

# play_in LANGUAGE NAME_TITLE CAPITAL_TITLE PAUSED_TITLE HELP_TITLE: a game
# whose prompts and paused title read so, to an auction; the console and the
# room on screen; Ctrl+H opens the rules' window so titled, Esc closes it.
play_in() {
  rm -rf "$RW_TMP/runtime" # each run makes its own
  rw_start_app "$GAME"
  rw_wait_window "$2"
  rw_expect_title "$RW_FOUND" "$2"
  rw_type "$RW_FOUND" "Mario"
  rw_key "$RW_FOUND" Return
  rw_wait_window "$3"
  rw_expect_title "$RW_FOUND" "$3"
  rw_type "$RW_FOUND" "10000"
  rw_key "$RW_FOUND" Return
  rw_wait_no_window "$3"
  game_wait_market 10
  game_main_window
  rw_click "$GAME_MAIN" 300 200
  sleep 0.3
  rw_keys p
  sleep 0.5
  [[ $(xdotool getwindowname "$GAME_MAIN") == "$4" ]] ||
    rw_fail "$1: P did not pause with the title '$4': '$(xdotool getwindowname "$GAME_MAIN")'"
  rw_keys p
  rw_screenshot "console-$1"
  game_console_command 0
  game_wait_room_open 10 || rw_fail "$1: no auction room opened"
  sleep 0.5
  rw_screenshot "auction-$1"
  rw_key "$GAME_MAIN" ctrl+h
  rw_wait_window "$5" 10
  rw_expect_title "$RW_FOUND" "$5"
  sleep 0.3
  rw_screenshot "how-to-play-$1"
  rw_key "$RW_FOUND" Escape
  rw_wait_no_window "$5"
  rw_key "$GAME_MAIN" ctrl+q
  rw_wait_app_exit 10 || rw_fail "$1: the game still runs 10 s after Ctrl+Q"
  rw_log "$1: '$2', '$3', '$4', '$5'; $RW_ARTIFACTS/console-$1.png, auction-$1.png, how-to-play-$1.png"
}
rm -f "$settings"
play_in it "Nome del giocatore" "Quanti euro vuoi?" "Marvesto (in pausa)" "Come si gioca"
# LANGUAGE and LC_ALL would come before LANG.
RW_APP_WRAPPER="env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=en_US.UTF-8" \
  play_in en "Player's name" "How many euros do you want?" "Marvesto (paused)" "How to Play"
rw_log "PASS: command line without a display, both prompts, the market, pause, Alt+F, Ctrl+Q; Italian and English"
