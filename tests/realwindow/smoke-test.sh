#!/usr/bin/env bash
# The game in a real window on a private X server: it asks for the player's
# name and capital, the market fills with boxes, and File > Esci ends the
# program with exit code 0.
#
#   smoke-test.sh GAME [ARTIFACT_ROOT]
#
# Screenshots and the game's output go to ARTIFACT_ROOT/smoke/ (by default
# the artifacts/ folder of the build tree that holds GAME).
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/realwindow/lib.sh
source "$HERE/lib.sh"

GAME=${1:?usage: smoke-test.sh GAME [ARTIFACT_ROOT]}
ARTIFACT_ROOT=${2:-$(cd "$(dirname "$GAME")/.." && pwd)/artifacts}
MARKET_BACKGROUND='#FFFFC0' # "Boxes in vendita": navy text on light yellow
MARKET_MIN_INK=1000 # an empty list has none; one line of text has thousands

rw_init smoke "$ARTIFACT_ROOT"
rw_start_xvfb
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

# File > Esci. "File" is the first menu of the bar at the top-left of the
# main window; its caption has no accelerator, so click it. Up then picks the
# menu's last item, "Esci" (the open menu grabs the keyboard).
rw_largest_window '^Marvesto$'
main_window=$RW_FOUND
rw_open_file_menu "$main_window"
rw_keys Up
sleep 0.3
rw_screenshot file-menu
rw_keys Return

rw_wait_app_exit 10 || rw_fail "the game still runs 10 s after File > Esci"
((RW_EXIT_CODE == 0)) || rw_fail "the game exited with code $RW_EXIT_CODE after File > Esci"
rw_log "PASS: started, answered both prompts, showed the market, quit from File > Esci"
