#!/usr/bin/env bash
# A whole game played by keyboard and mouse on a private X server, with the
# sound going to a private PulseAudio's null sink, recorded:
#
#   1. start; answer "Tester" and 50000; the market fills with boxes; the
#      Orca screen reader runs throughout: Ctrl+Tab and F6 take it round the
#      windows, the focused market does not make it read each new line, F2
#      makes it say the capital;
#   2. "0" + Enter at the console opens the auction room (#E0E0E0); the first
#      auction is left to run, won or lost, until the room closes by itself;
#      then auctions with Enter pressed every 150 ms (a bid whenever the
#      rivals' countdown runs) until one is won after a bid, at most 7: the
#      won box's line shows in "Aste Vinte" (a box won before any bid is
#      opened at once, as in 4.);
#   3. once the console holds more lines than it shows, its newest line is in
#      view (04-console-full.png), and is again after the wheel scrolls it up;
#   4. "sell" + Enter selects the won box, Enter opens it: its line leaves
#      "Aste Vinte" (a buyer's offer that pops up meanwhile is refused, Esc);
#   5. File > Nuova Partita asks again (the capital prompt is titled "Quanto
#      euro vuoi?"), the market fills again and "Aste Vinte" is empty;
#   6. File > Esci ends the program with exit code 0;
#   7. Orca said a tax, an auction's raise or result, the cost of the won
#      box, the appraisal and any offer, wherever the focus was;
#   8. the recording is silent before the first auction and after the new
#      game starts; during each auction it holds the auction's cues in order,
#      and cue 6 when a box is opened.
#
#   play-test.sh GAME ARTIFACT_ROOT [BUILD_DIR]
#
# With BUILD_DIR, the game played is the one `cmake --install BUILD_DIR` lays
# into a fresh prefix (bin/marvesto, its data in share/games/marvesto and its
# sound module in lib/marvesto); without it, GAME itself (the build's app/
# folder, data beside it). Screenshots of each stage, the
# game's output and the recording go to ARTIFACT_ROOT/play/.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/realwindow/lib.sh
source "$HERE/lib.sh"
# shellcheck source=tests/realwindow/game.sh
source "$HERE/game.sh"
# shellcheck source=tests/realwindow/pulse.sh
source "$HERE/pulse.sh"
# shellcheck source=tests/realwindow/atspi.sh
source "$HERE/atspi.sh"

GAME=${1:?usage: play-test.sh GAME ARTIFACT_ROOT [BUILD_DIR]}
ARTIFACT_ROOT=${2:?usage: play-test.sh GAME ARTIFACT_ROOT [BUILD_DIR]}
BUILD=${3:-}
MAX_AUCTIONS=8 # the first one without bids, then up to 7 with
ROOM_OPENS_S=15
ROOM_LASTS_S=20 # without bids: 1 s + 3 x 350 ms + 3 s
BIDDING_S=90    # each bid is another 20% chance of winning, every ~1.4 s
STRICT=
[[ ${MARVESTO_STRICT_CUES:-} == 1 ]] && STRICT=1

rw_init play "$ARTIFACT_ROOT"
# The recording is kept whatever the outcome.
keep_recording() {
  pa_stop
  [[ -s ${PA_RECORDING:-} ]] && cp "$PA_RECORDING" "$RW_ARTIFACTS/recording.wav"
  return 0
}
trap 'status=$?; set +e; game_stop_bidding; keep_recording; atspi_stop; (exit $status); rw_cleanup' EXIT
command -v python3 >/dev/null || rw_fail "missing python3"

# --- The program as installed, or as built.
DATA=$(dirname "$GAME")
if [[ -n $BUILD ]]; then
  cmake --install "$BUILD" --prefix "$RW_TMP/prefix" >"$RW_ARTIFACTS/install.log" 2>&1 ||
    rw_fail "cmake --install failed: $(tail -n 20 "$RW_ARTIFACTS/install.log")"
  GAME=$RW_TMP/prefix/bin/marvesto DATA=$RW_TMP/prefix/share/games/marvesto
  rw_log "playing the installed game $GAME, its data in $DATA"
fi
SOUNDS=$DATA/Sound
[[ -f $DATA/DeskTop.jpg && -d $SOUNDS ]] || rw_fail "no DeskTop.jpg and Sound/ in $DATA"

# --- Sound server, then the X server and the game.
pa_start "$RW_TMP" "$RW_ARTIFACTS" || rw_fail "no private PulseAudio"
pa_record "$RW_TMP/recording.wav" || rw_fail "cannot record the null sink"
rw_start_xvfb
atspi_start
atspi_start_orca
rw_start_app "$GAME"
windows=()
rw_wait_window "Nome del giocatore" 40
rw_screenshot 00-name-prompt

game_answer_prompts Tester 50000 "Quanti euro vuoi?"
game_main_window
game_wait_market 15
rw_screenshot 01-market

# --- What a screen reader hears: the console's tree names its controls and
# tells the capital; the market's new line each second raises no focus event
# while the keyboard is on the command line.
atspi_tree "Manager:Tester" "$RW_ARTIFACTS/console-tree.txt"
grep -q '"Riga di comando"' "$RW_ARTIFACTS/console-tree.txt" &&
  grep -q 'Capitale: ' "$RW_ARTIFACTS/console-tree.txt" ||
  rw_fail "the console's accessible tree lacks its names ($RW_ARTIFACTS/console-tree.txt)"
game_focus_console
quiet_from=$(atspi_now)
sleep 10
quiet_to=$(atspi_now)
# Qt reports the focus on the list's new line, named by its text.
atspi_count "$quiet_from" "$quiet_to" "" "Box numero:"
market_events=$ATSPI_COUNT
atspi_count "$quiet_from" "$quiet_to" "" "Box in vendita"
((market_events + ATSPI_COUNT == 0)) ||
  rw_fail "the market raised $((market_events + ATSPI_COUNT)) events in 10 s without the keyboard focus ($ATSPI_EVENTS)"
rw_log "10 s of market ticks with the focus on the command line: no event from the market"

# --- What Orca says as the player goes round the windows. Ctrl+Tab from the
# command line reaches "Aste Vinte", then the market, whose current line is
# read on arrival; there the line the player is on stays while boxes come, so
# Orca reads no new line by itself, and the arrow keys browse. F6 brings the
# player back to the command line, and F2 tells the capital.
orca_from=$(atspi_log_lines)
rw_keys ctrl+Tab
sleep 1.5
atspi_spoken "$orca_from" | grep -q 'Aste vinte' || rw_fail "Ctrl+Tab: Orca did not say 'Aste vinte' ($ORCA_LOG)"
orca_from=$(atspi_log_lines)
rw_keys ctrl+Tab
sleep 1.5
atspi_spoken "$orca_from" | grep -q 'Box in vendita' || rw_fail "Ctrl+Tab: Orca did not say 'Box in vendita' ($ORCA_LOG)"
atspi_spoken "$orca_from" | grep -q 'Box numero:' || rw_fail "Ctrl+Tab: Orca did not read the market's current line ($ORCA_LOG)"
orca_from=$(atspi_log_lines)
sleep 5
market_lines=$(atspi_spoken "$orca_from" | grep -c 'Box numero:' || true)
((market_lines == 0)) || rw_fail "the market's focused list made Orca read $market_lines new lines in 5 s ($ORCA_LOG)"
rw_keys Up
sleep 1
atspi_spoken "$orca_from" | grep -q 'Box numero:' || rw_fail "Up in the market: Orca read no line ($ORCA_LOG)"
orca_from=$(atspi_log_lines)
sleep 3
market_lines=$(atspi_spoken "$orca_from" | grep -c 'Box numero:' || true)
((market_lines == 0)) || rw_fail "the market took back the line the player chose: Orca read $market_lines lines ($ORCA_LOG)"
rw_screenshot 01-market-browsed
orca_from=$(atspi_log_lines)
rw_keys F6
sleep 1.5
atspi_spoken "$orca_from" | grep -q 'Riga di comando' || rw_fail "F6: Orca did not say 'Riga di comando' ($ORCA_LOG)"
orca_from=$(atspi_log_lines)
rw_keys F2
sleep 1.5
atspi_spoken "$orca_from" | grep -qE 'Capitale: -?[0-9]+ .*, 0 box vinti' ||
  rw_fail "F2: Orca did not tell the capital ($ORCA_LOG)"
rw_log "Orca: Ctrl+Tab and F6 reached every window, the market did not flood, F2 told the capital"
rw_log "the market holds $RW_INK pixels of text"
game_won_ink
((RW_INK == 0)) || rw_fail "'Aste Vinte' is not empty at the start ($RW_INK pixels of ink)"

# open_won_box SHOT: "sell" + Enter at the console selects the first line of
# "Aste Vinte", Enter there opens the box: its line must go. A buyer's offer
# may pop up after any console command; it is refused and "sell" typed again.
open_won_box() {
  local try with_box
  game_dismiss_offer
  game_won_ink
  with_box=$RW_INK
  for ((try = 1; try <= 5; try++)); do
    game_console_command sell
    sleep 0.5
    game_room_state
    if ((GAME_OFFER)); then
      game_dismiss_offer
      continue
    fi
    rw_screenshot "$1-sell-selected"
    sold_at=$(pa_now)
    rw_key "$GAME_MAIN" Return
    sleep 1
    game_won_ink
    if ((RW_INK == 0)); then
      windows+=("$1-box-opened:$(awk -v s="$sold_at" 'BEGIN { print s - 0.2 }'):$(awk -v s="$sold_at" 'BEGIN { print s + 2 }'):cues=6")
      rw_screenshot "$1-box-opened"
      rw_log "the won box was opened: its line left 'Aste Vinte'"
      return 0
    fi
    game_room_state
    ((GAME_OFFER)) ||
      rw_fail "Enter after 'sell' did not open the won box: 'Aste Vinte' still has $RW_INK pixels of ink (had $with_box)"
    game_dismiss_offer
  done
  rw_fail "could not open the won box in 5 tries (buyers' offers kept coming)"
}

# check_room_place FILE: the auction room's body is 9495 x 4095 twips (633 x
# 273 px) and the room lies 1000 twips (67 px) right of and below the area's
# corner. The market lies at 1 and 100 twips (0 and 7 px) and "Aste Vinte" as
# high as the market: the top of the empty "Aste Vinte" and the market's left
# edge, low in its list where there is no line, show where the area's windows
# start.
check_room_place() {
  local rx ry rw rh mx my box
  game_room_box "$1"
  [[ -n $GAME_BOX ]] || rw_fail "cannot find the auction room's body in $1"
  read -r rx ry rw rh <<<"$GAME_BOX"
  box=$(convert "$1" -alpha off -crop 1x4000+1000+0 +repage -fill black +opaque "$GAME_WON" \
    -fill white -opaque "$GAME_WON" -bordercolor black -border 1 -format '%@' info:)
  [[ $box =~ ^1x[0-9]+\+1\+([0-9]+)$ ]] || rw_fail "cannot find the body of 'Aste Vinte' in $1 ($box)"
  my=$((BASH_REMATCH[1] - 1))
  box=$(convert "$1" -alpha off -crop "4000x1+0+$((my + 260))" +repage -fill black +opaque "$GAME_MARKET" \
    -fill white -opaque "$GAME_MARKET" -bordercolor black -border 1 -format '%@' info:)
  [[ $box =~ ^[0-9]+x1\+([0-9]+)\+1$ ]] || rw_fail "cannot find the market's left edge in $1 ($box)"
  mx=$((BASH_REMATCH[1] - 1))
  rw_log "auction room body at $rx,$ry, ${rw}x$rh; the area's windows start at $mx,$my"
  ((rw == 633 && rh == 273)) || rw_fail "the auction room's body is ${rw}x$rh, not 633x273"
  ((rx - mx >= 66 && rx - mx <= 68 && ry - my >= 59 && ry - my <= 61)) ||
    rw_fail "the auction room is $((rx - mx)),$((ry - my)) px from the market's corner, not 67,60 (1000 twips from the area's corner)"
}

# --- Auctions. Their cues: 5 as the room opens; after 1 s, 2 if the rivals
# give up, else 1 for their raise and 1 for each tick of the countdown; 5 for
# each bid; 2 for the third tick; 3 as the room closes. The recording must
# show sound and one of those cues in each auction. With MARVESTO_STRICT_CUES=1
# it must show every one of them in that order, but a tick cut off by a bid at
# once: Qt 6.4's QSoundEffect, played again and again as the cues are, soon
# falls silent for most of them, so that is not the default yet. The
# first auction is left to run; the others are bid on until one is won after
# at least one bid, told by the room's log (5 lines or more when won, against
# 2 when the rivals give up at once). A box won before any bid is opened at
# once, so that no buyer's offer for it comes in the way of the bids.
won=0
bid_made=0
for ((auction = 1; auction <= MAX_AUCTIONS && !(won && bid_made); auction++)); do
  game_dismiss_offer
  game_won_ink
  won_before=$RW_INK
  started=$(pa_now)
  rw_log "auction $auction: '0' + Enter at the console, $started s into the recording"
  game_console_command 0
  # The room locks the console as it opens, so Enter pressed from now on bids
  # there: no countdown is missed while the screen is searched for the room.
  ((auction == 1)) || game_start_bidding
  game_wait_room_open "$ROOM_OPENS_S" ||
    rw_fail "auction $auction: '0' + Enter at the console opened no auction room (#E0E0E0) within $ROOM_OPENS_S s"
  rw_screenshot "02-auction-$auction-open"
  ((auction > 1)) || check_room_place "$RW_SHOT"
  if ((auction == 1)); then
    strict_won='^523$' strict_lost='^51{3,4}23$'
    rw_log "auction 1: no bids"
    game_wait_room_closed "$ROOM_LASTS_S" ||
      rw_fail "auction 1: the room is still open $ROOM_LASTS_S s after it opened, with no bid"
  else
    strict_won='^5(11?5)*23$' strict_lost='^5(11?5)*1{3,4}23$'
    game_bid_until_over "$won_before" "$BIDDING_S" ||
      rw_fail "auction $auction: the room is still open after $BIDDING_S s of bidding"
  fi
  ended=$(pa_now)
  ((auction > 1)) || silent_until=$started
  rw_screenshot "03-auction-$auction-closed"
  game_won_ink
  if ((RW_INK >= won_before + GAME_WON_MIN_INK)); then
    won=1
    cues=$strict_won
    rw_log "auction $auction won: 'Aste Vinte' holds $RW_INK pixels of text (was $won_before)"
  else
    ((RW_INK == won_before)) ||
      rw_fail "auction $auction: 'Aste Vinte' changed from $won_before to $RW_INK pixels of ink, not by a line"
    cues=$strict_lost
    rw_log "auction $auction lost: 'Aste Vinte' unchanged"
  fi
  [[ -n $STRICT ]] || cues='[1235]'
  windows+=("auction-$auction:$(awk -v s="$started" 'BEGIN { print s - 0.2 }'):$(awk -v e="$ended" 'BEGIN { print e + 0.5 }'):cues=$cues")
  if ((won && auction > 1)); then
    rw_log "auction $auction: the room's log had $GAME_LINES lines when it was won"
    if ((GAME_LINES >= 5)); then bid_made=1; fi
  fi
  if ((won && !bid_made)); then
    rw_log "auction $auction was won before any bid: opening the box, then bidding again"
    open_won_box "04-auction-$auction"
    won=0
  fi
done
((won && bid_made)) ||
  rw_fail "no auction won after a bid in $MAX_AUCTIONS (the last $((MAX_AUCTIONS - 1)) bid on)"
rw_screenshot 04-won

# --- The console keeps its newest line in view once it holds more than it
# shows (a tax writes two lines every 11 s), also after the player scrolls up.
check_console_at_end() {
  game_console_view "$RW_SHOT"
  rw_log "console: more lines than shown=$GAME_CONSOLE_FULL, scrolled to the end=$GAME_CONSOLE_AT_END, $GAME_CONSOLE_GAP px below its lowest text"
  ((GAME_CONSOLE_AT_END)) || rw_fail "$1: the console's scroll bar is not at its end ($RW_SHOT)"
  ((GAME_CONSOLE_GAP >= 16 && GAME_CONSOLE_GAP <= 52)) ||
    rw_fail "$1: the console's newest line is not the last one in view: $GAME_CONSOLE_GAP px below it ($RW_SHOT)"
}
game_wait_console_full 120 || rw_fail "the console shows all its lines after 120 s more of play"
rw_screenshot 04-console-full
check_console_at_end "a full console"
game_room_state
if ((!GAME_OFFER)); then
  # shellcheck disable=SC2086 # "X Y"
  xdotool mousemove $GAME_CONSOLE_LOG click --repeat 5 --delay 50 4 # the wheel, upwards
  sleep 0.5
  rw_screenshot 04-console-scrolled-up
  check_console_at_end "after scrolling up"
fi
open_won_box 05

# --- New lines reached the screen reader as text-inserted events: the
# console's, the auction room's countdown while it ran, and a buyer's offer
# when one came.
now=$(atspi_now)
atspi_count 0 "$now" object:text-changed:insert "Registro del manager" "Il tuo Capitale:"
((ATSPI_COUNT > 0)) || rw_fail "no text-inserted event from the console's log"
atspi_count 0 "$now" object:text-changed:insert "Registro dell'asta" "... e 1!"
((ATSPI_COUNT > 0)) || rw_fail "no text-inserted event for the auction's countdown"
if ((GAME_OFFERS_SEEN > 0)); then
  atspi_count 0 "$now" object:text-changed:insert "Offerta" "Vuoi vendere?"
  ((ATSPI_COUNT > 0)) || rw_fail "no text-inserted event from the buyer's offer"
else
  rw_log "no buyer's offer came in this game: its text events were not checked"
fi
rw_log "text-inserted events reached AT-SPI from the console, the auction's countdown and the offers"

# --- What Orca said of the game's events, wherever the focus was.
atspi_spoken >"$RW_ARTIFACTS/orca-spoken.txt"
orca_said() {
  grep -qE "$1" "$RW_ARTIFACTS/orca-spoken.txt" || rw_fail "Orca never said $2 ($RW_ARTIFACTS/orca-spoken.txt)"
}
orca_said 'Tax:[0-9]+' "a tax"
orca_said 'Rilanciano di|Asta chiusa' "an auction's raise or result"
orca_said 'Costo complessivo del Box' "the cost of a won box"
orca_said 'Valore degli oggetti nel Box' "an appraisal"
((GAME_OFFERS_SEEN == 0)) || orca_said 'Vuoi vendere' "a buyer's offer"
rw_log "Orca said the taxes, the auctions, the costs, the appraisal and the offers"

# --- File > Nuova Partita: the first item of the menu.
game_menu_item Down 1
rw_screenshot 06-file-menu-new-game
new_game_at=$(pa_now)
rw_keys Return
game_answer_prompts Tester2 20000 "Quanto euro vuoi?"
game_wait_market 15
rw_screenshot 07-new-game
game_won_ink
((RW_INK == 0)) || rw_fail "'Aste Vinte' is not empty in the new game ($RW_INK pixels of ink)"
game_room_state
((!GAME_ROOM && !GAME_OFFER)) || rw_fail "a silver window (auction or offer) is open in the new game"

# --- File > Esci: the last item.
game_menu_item Up 1
rw_screenshot 08-file-menu-exit
quit_at=$(pa_now)
rw_keys Return
rw_wait_app_exit 20 || rw_fail "the game still runs 20 s after File > Esci"
((RW_EXIT_CODE == 0)) || rw_fail "the game exited with code $RW_EXIT_CODE after File > Esci"

# --- What the null sink heard.
sleep 0.5
rw_log "the recording stops $(pa_now) s after it started (its own length is below)"
keep_recording
windows=("before-any-auction:0.5:$silent_until:silence" "${windows[@]}"
  "new-game:$(awk -v s="$new_game_at" 'BEGIN { print s + 1.5 }'):$quit_at:silence")
python3 "$HERE/sound-windows.py" "$RW_ARTIFACTS/recording.wav" "$SOUNDS" "${windows[@]}" |
  tee "$RW_ARTIFACTS/sound.txt" >&2 ||
  rw_fail "the recording does not hold sound where it should ($RW_ARTIFACTS/sound.txt)"
rw_log "PASS: played $((auction - 1)) auctions, won and opened a box, started a new game and quit; the sink heard the cues"
