#!/usr/bin/env bash
# Going bankrupt in a real window: a capital of -100 with no won box brings a
# notice titled "Marvesto" with one button, OK; once it is closed, the
# question "Vuoi Giocare ancora?", titled "Marvesto" too, with Sì (the
# default) and No. Three games on one private X server:
#
#   no      OK with Return, then "n" (No's access key): the program ends, code 0;
#   escape  OK with Return, then Esc, which answers No: the program ends, code 0;
#   yes     OK with Return, then Return (Sì): the prompts come back, "Nome del
#           giocatore" then the capital prompt titled "Quanto euro vuoi?"; with
#           a capital of 10000 the game goes on (the market fills, no notice
#           comes back); "Record", the first item of the "?" menu, opens the
#           records window: its table holds the three games that ended in
#           bankruptcy, and its curve reads as a sentence over AT-SPI. File >
#           Esci ends the game with code 0, and the records file holds four
#           games, each recorded once.
#
#   bankruptcy-test.sh GAME ARTIFACT_ROOT
#
# Screenshots and each game's output (app-RUN.log; app.log for a run that
# failed) go to ARTIFACT_ROOT/bankruptcy/; the records window's picture to
# records-window.png, its accessible tree to records-tree.txt. Needs dbus,
# at-spi2-core, python3-gi and gir1.2-atspi-2.0.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/realwindow/lib.sh
source "$HERE/lib.sh"
# shellcheck source=tests/realwindow/game.sh
source "$HERE/game.sh"
# shellcheck source=tests/realwindow/atspi.sh
source "$HERE/atspi.sh"

GAME=${1:?usage: bankruptcy-test.sh GAME ARTIFACT_ROOT}
ARTIFACT_ROOT=${2:?usage: bankruptcy-test.sh GAME ARTIFACT_ROOT}

rw_init bankruptcy "$ARTIFACT_ROOT"
trap 'status=$?; set +e; atspi_stop; (exit $status); rw_cleanup' EXIT
rw_start_xvfb

# go_bankrupt RUN: starts a game, answers -100 and closes the notice with
# Return; RW_FOUND = the question that follows.
go_bankrupt() {
  local run=$1 notice
  rm -rf "$RW_TMP/runtime"
  rw_start_app "$GAME"
  GAME_MAIN=
  game_answer_prompts "Tester" "-100" "Quanti euro vuoi?"
  game_wait_message_box "" 20
  notice=$RW_FOUND
  rw_screenshot "$run-1-notice"
  rw_key "$notice" Return
  game_wait_window_gone "$notice" 10
  game_wait_message_box "$notice" 20
  rw_screenshot "$run-2-question"
  [[ -z $(rw_windows "Nome del giocatore") ]] || rw_fail "$run: a prompt is open beside the question"
}

# ends_with_zero RUN HOW: the game must end by itself, with exit code 0.
ends_with_zero() {
  rw_wait_app_exit 20 || rw_fail "$1: the game still runs 20 s after $2"
  ((RW_EXIT_CODE == 0)) || rw_fail "$1: the game exited with code $RW_EXIT_CODE after $2"
  mv "$RW_APP_LOG" "$RW_ARTIFACTS/app-$1.log"
  rw_log "$1: $2 ended the program with exit code 0"
}

# --- No, by its access key.
go_bankrupt no
rw_key "$RW_FOUND" n
ends_with_zero no "'n' on the question"

# --- No, by Esc.
go_bankrupt escape
rw_key "$RW_FOUND" Escape
ends_with_zero escape "Esc on the question"

# --- Yes, the default button: a new game. A screen reader's bus from here on.
atspi_start
go_bankrupt yes
question=$RW_FOUND
rw_key "$question" Return
game_wait_window_gone "$question" 10
rw_wait_window "Nome del giocatore" 20
rw_screenshot yes-3-name-again
rw_type "$RW_FOUND" "Tester2"
rw_key "$RW_FOUND" Return
rw_wait_window "Quanto euro vuoi?" 20
capital_prompt=$RW_FOUND
[[ -z $(rw_windows "Quanti euro vuoi") ]] || rw_fail "yes: the first game's capital prompt ('Quanti euro vuoi?') is shown again"
rw_screenshot yes-4-capital-again
rw_type "$capital_prompt" "10000"
rw_key "$capital_prompt" Return
rw_wait_no_window "Quanto euro vuoi?" 10
game_wait_market 15
# The watch runs every few milliseconds: a notice would be back at once.
sleep 2
for id in $(rw_windows '^Marvesto$'); do
  if xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; then
    rw_screenshot yes-5-unexpected-box
    rw_fail "yes: a message box is open after the new game started with 10000 €"
  fi
done
rw_screenshot yes-5-new-game

# --- The records window, from its menu item: "?" is right of File, and opens
# with its first item, "Record", chosen.
game_main_window
rw_open_file_menu "$GAME_MAIN"
rw_keys Right Return
rw_wait_window "Record" 10
records=$RW_FOUND
rw_expect_title "$records" "Record"
sleep 1 # its first paint
atspi_tree "Record" "$RW_ARTIFACTS/records-tree.txt"
cells=$(grep -c '\[table cell\] "Tester"$' "$RW_ARTIFACTS/records-tree.txt" || true)
((cells == 3)) || rw_fail "the records table has $cells rows for Tester, not the 3 games ended (records-tree.txt)"
summary='"Curva del capitale" — Capitale da 10000 € a -?[0-9]+ €, massimo [0-9]+ € al minuto [0-9]+$'
grep -Eq "$summary" "$RW_ARTIFACTS/records-tree.txt" ||
  rw_fail "no curve summary like /$summary/ over AT-SPI (records-tree.txt)"
rw_log "records over AT-SPI: $cells rows for Tester; $(grep -o 'Capitale da.*' "$RW_ARTIFACTS/records-tree.txt")"
import -silent -window "$records" "$RW_ARTIFACTS/records-window.png" || rw_fail "no picture of the records window"
rw_key "$records" Escape
rw_wait_no_window "Record" 10

game_menu_item Up 1
rw_keys Return
ends_with_zero yes "File > Esci in the new game"
# Three bankruptcies (whatever the answer to the question) and the game quit.
endings=$(/usr/bin/python3 -c 'import json, sys
print(" ".join(sorted(r["ending"] for r in json.load(open(sys.argv[1]))["best"])))' \
  "$RW_TMP/data/Marvesto/Marvesto/records.json") || rw_fail "the records file does not read"
[[ $endings == "bankruptcy bankruptcy bankruptcy quit" ]] ||
  rw_fail "the records file holds the endings '$endings', not three bankruptcies and a quit"
rw_log "PASS: the notice, then the question; No ('n' or Esc) ends with code 0, Sì starts a new game; the records window shows the games ended"
