# shellcheck shell=bash
# shellcheck disable=SC2034 # GAME_* results are read by the scripts that source this
# Playing the game as a person does, on top of lib.sh: answer the prompts, use
# the console's command line, follow an auction by the colours on screen, use
# the File menu. The game's child windows live inside the main window (they
# are not X windows), so they are found by their background colours:
#
#   market "Boxes in vendita"   #FFFFC0     won boxes "Aste Vinte"  #C0FFC0
#   auction room "Inizio Asta"  #E0E0E0, 1000 twips (~67 px) from the area's corner
#   buyer's offer               #E0E0E0 too, a fifth of the screen in from the corner
#   console "Manager:<name>"    its command line follows a ">" in #FFFF80
#
#   source lib.sh; source game.sh
#   game_answer_prompts NAME CAPITAL CAPITAL_TITLE
#   game_console_command 0      # opens the auction of the market's first line
#   game_wait_room_open 10; game_bid_until_over "$won_ink_before" 60
#
# Helpers put what they find in variables (GAME_*), as lib.sh does.

GAME_MARKET='#FFFFC0'
GAME_WON='#C0FFC0'
GAME_SILVER='#E0E0E0'
GAME_PROMPT_SIGN='#FFFF80'
GAME_MARKET_MIN_INK=1000 # one line of the market's text is thousands of pixels
GAME_WON_MIN_INK=500     # the part of a line of "Aste Vinte" that game_won_ink sees
GAME_WON_FROM_X=720
# The auction room's left part, which no other silver window covers: the offer
# opens a fifth of the screen's width in (256 px on a 1280 px screen).
GAME_ROOM_BAND=170x1000+75+0
GAME_ROOM_MIN=10000 # the room's band is ~45000 silver pixels; elsewhere there are a few
GAME_OFFER_MIN=30000 # an offer is ~80000 silver pixels
GAME_MAIN=
GAME_OFFERS_SEEN=0
GAME_COUNT=
GAME_ROOM=
GAME_OFFER=
GAME_PROBE=

# game_count FILE COLOUR [CROP]: GAME_COUNT = pixels of exactly COLOUR in FILE
# (or in its CROP, WxH+X+Y).
game_count() {
  local crop=()
  [[ -n ${3:-} ]] && crop=(-crop "$3" +repage)
  GAME_COUNT=$(convert "$1" -alpha off "${crop[@]}" -fill black +opaque "$2" -fill white \
    -opaque "$2" -format '%[fx:round(mean*w*h)]' info:) ||
    rw_fail "counting $2 pixels in $1 failed"
}

# game_probe: a screenshot to look at, GAME_PROBE its path.
game_probe() {
  GAME_PROBE=$RW_TMP/probe.png
  import -silent -window root "$GAME_PROBE" || rw_fail "screenshot failed"
}

# game_main_window: GAME_MAIN = the main window "Marvesto".
game_main_window() {
  rw_largest_window '^Marvesto$'
  GAME_MAIN=$RW_FOUND
}

# game_answer_prompts NAME CAPITAL CAPITAL_TITLE: answers "Nome del giocatore"
# then the capital prompt titled CAPITAL_TITLE, and waits for it to close.
game_answer_prompts() {
  local capital_prompt
  rw_wait_window "Nome del giocatore" 40
  rw_expect_title "$RW_FOUND" "Nome del giocatore"
  rw_type "$RW_FOUND" "$1"
  rw_key "$RW_FOUND" Return
  rw_wait_window "$3" 20
  capital_prompt=$RW_FOUND
  rw_expect_title "$capital_prompt" "$3"
  rw_type "$capital_prompt" "$2"
  rw_key "$capital_prompt" Return
  rw_wait_no_window "$3" 10
  rw_wait_no_window "Nome del giocatore" 10
}

# game_wait_market SECONDS: waits for lines in "Boxes in vendita".
game_wait_market() {
  rw_wait_ink "$GAME_MARKET" "$GAME_MARKET_MIN_INK" "$1" ||
    rw_fail "the market ('Boxes in vendita') showed no box within $1 s"
}

# game_focus_console: clicks the console's command line, just right of its ">".
game_focus_console() {
  local box
  game_probe
  box=$(convert "$GAME_PROBE" -alpha off -fill black +opaque "$GAME_PROMPT_SIGN" -fill white \
    -opaque "$GAME_PROMPT_SIGN" -bordercolor black -border 1 -format '%@' info:)
  if ! [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || ((BASH_REMATCH[1] >= 40)); then
    rw_fail "the console's '>' prompt is not on screen (box of $GAME_PROMPT_SIGN: $box)"
  fi
  [[ -n $GAME_MAIN ]] || game_main_window
  rw_focus "$GAME_MAIN"
  xdotool mousemove $((BASH_REMATCH[3] + BASH_REMATCH[1] + 40)) $((BASH_REMATCH[4] + BASH_REMATCH[2] / 2)) click 1
  sleep 0.2
}

# game_console_command TEXT: empties the console's command line (Esc), then
# types TEXT and Enter there.
game_console_command() {
  game_focus_console
  xdotool key Escape # whatever a late key left there
  xdotool type --delay 30 -- "$1"
  xdotool key Return
}

# game_console_view FILE: how the console's log shows its text, found from the
# ">" before the command line: the log lies 250 to 18 px above it and its
# scroll bar 464 px right of it. GAME_CONSOLE_FULL=1 when the log holds more
# lines than it shows (the scroll bar's groove, #E6E6E6, is not all covered);
# GAME_CONSOLE_AT_END=1 when the groove starts right below the top arrow, so the
# handle sits at the bottom; GAME_CONSOLE_GAP = pixels between the log's lowest
# text and its bottom edge (the empty line after the newest one, and a margin);
# GAME_CONSOLE_LOG = "X Y" of a point inside the log.
GAME_CONSOLE_FULL=0
GAME_CONSOLE_LOG=
GAME_CONSOLE_AT_END=0
GAME_CONSOLE_GAP=0
game_console_view() {
  local box gx gy column
  box=$(convert "$1" -alpha off -fill black +opaque "$GAME_PROMPT_SIGN" -fill white \
    -opaque "$GAME_PROMPT_SIGN" -bordercolor black -border 1 -format '%@' info:)
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] ||
    rw_fail "the console's '>' prompt is not in $1 (box of $GAME_PROMPT_SIGN: $box)"
  gx=$((BASH_REMATCH[3] - 1)) gy=$((BASH_REMATCH[4] - 1))
  GAME_CONSOLE_LOG="$((gx + 200)) $((gy - 130))"
  column=$(convert "$1" -alpha off -crop "1x232+$((gx + 464))+$((gy - 250))" +repage -depth 8 txt:- |
    awk -F'[ ,:]+' 'NR > 1 { print $2, ($0 ~ /#E6E6E6/) ? "groove" : ($0 ~ /#000080/) ? "navy" : "bar" }')
  read -r GAME_CONSOLE_FULL GAME_CONSOLE_AT_END < <(awk '
    $2 != "navy" && top == "" { top = $1 }
    $2 == "groove" && first == "" { first = $1 }
    END { print (first != "") ? 1 : 0, (first != "" && first - top <= 20) ? 1 : 0 }' <<<"$column")
  GAME_CONSOLE_GAP=$(convert "$1" -alpha off -crop "440x232+$((gx - 10))+$((gy - 250))" +repage \
    -fill black +opaque '#FFFF00' -fill white -opaque '#FFFF00' -scale '1x232!' -depth 8 txt:- |
    awk -F'[ ,:]+' 'NR > 1 && $0 !~ /#000000/ { low = $2 } END { print (low == "") ? 232 : 231 - low }')
}

# game_wait_console_full SECONDS: waits until the console's log holds more lines
# than it shows; returns 1 if it does not in time.
game_wait_console_full() {
  local deadline=$((SECONDS + $1))
  while :; do
    rw_check_app_alive "while waiting for the console to fill"
    game_probe
    game_console_view "$GAME_PROBE"
    ((GAME_CONSOLE_FULL)) && return 0
    ((SECONDS < deadline)) || return 1
    sleep 1
  done
}

# game_room_state [FILE]: GAME_ROOM=1 when the auction room is open, GAME_OFFER=1
# when a buyer's offer is (they never are at once). FILE defaults to a new probe.
game_room_state() {
  local file=${1:-}
  if [[ -z $file ]]; then
    game_probe
    file=$GAME_PROBE
  fi
  game_count "$file" "$GAME_SILVER" "$GAME_ROOM_BAND"
  GAME_ROOM=0 GAME_OFFER=0
  if ((GAME_COUNT >= GAME_ROOM_MIN)); then
    GAME_ROOM=1
    return 0
  fi
  game_count "$file" "$GAME_SILVER"
  ((GAME_COUNT >= GAME_OFFER_MIN)) && GAME_OFFER=1
  return 0
}

# game_room_lines FILE: GAME_LINES = how many lines of text the auction room's
# log shows (its maroon #800000 text, counted by rows in the room's band): 1 as
# it opens, 2 when the rivals give up at once, 5 or more once a bid was made
# (the box, the raise, a tick, the bid, the end); at most a room's height.
GAME_ROOM_TEXT='#800000'
GAME_LINES=0
game_room_lines() {
  GAME_LINES=$(convert "$1" -alpha off -crop "$GAME_ROOM_BAND" +repage -fill black \
    +opaque "$GAME_ROOM_TEXT" -fill white -opaque "$GAME_ROOM_TEXT" -scale '1x1000!' -depth 8 txt:- |
    awk -F'[ ,:]+' 'NR > 1 { ink = $0 !~ /#000000/; if (ink && !inside) lines++; inside = ink }
      END { print lines + 0 }') || rw_fail "counting the lines of the auction room in $1 failed"
}

# game_room_box FILE: GAME_BOX = "X Y WIDTH HEIGHT" of the auction room's body
# (its silver): the column of silver through x=150, then the row through its
# middle. Empty when there is none.
GAME_BOX=
game_room_box() {
  local box x y w h
  GAME_BOX=
  box=$(convert "$1" -alpha off -crop 1x4000+150+0 +repage -fill black +opaque "$GAME_SILVER" \
    -fill white -opaque "$GAME_SILVER" -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
  [[ $box =~ ^1x([0-9]+)\+1\+([0-9]+)$ ]] || return 0
  h=${BASH_REMATCH[1]} y=$((BASH_REMATCH[2] - 1))
  box=$(convert "$1" -alpha off -crop "4000x1+0+$((y + h / 2))" +repage -fill black \
    +opaque "$GAME_SILVER" -fill white -opaque "$GAME_SILVER" -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
  [[ $box =~ ^([0-9]+)x1\+([0-9]+)\+1$ ]] || return 0
  w=${BASH_REMATCH[1]} x=$((BASH_REMATCH[2] - 1))
  GAME_BOX="$x $y $w $h"
}

# game_wait_room_open SECONDS: returns 1 if no auction room opens in time.
game_wait_room_open() {
  local deadline=$((SECONDS + $1))
  while :; do
    rw_check_app_alive "while waiting for the auction room"
    game_room_state
    ((GAME_ROOM)) && return 0
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# game_wait_room_closed SECONDS: returns 1 if the room is still open after SECONDS.
game_wait_room_closed() {
  local deadline=$((SECONDS + $1))
  while :; do
    rw_check_app_alive "while waiting for the auction room to close"
    game_room_state
    ((GAME_ROOM)) || return 0
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# game_start_bidding: presses Enter about every 150 ms, in the background, into
# the window that has the keyboard (the auction room). A bid counts only while
# the room's button is enabled, during the rivals' countdown, so pressing all
# along is harmless there; game_stop_bidding must end it before the room
# closes, lest the presses reach the console or a buyer's offer. Nothing when
# it presses already.
GAME_PRESSER_PID=
game_start_bidding() {
  [[ -z $GAME_PRESSER_PID ]] || return 0
  [[ -n $GAME_MAIN ]] || game_main_window
  rw_focus "$GAME_MAIN"
  (
    trap 'exit 0' TERM
    while :; do
      xdotool key Return
      sleep 0.15
    done
  ) &
  GAME_PRESSER_PID=$!
}

game_stop_bidding() {
  [[ -n $GAME_PRESSER_PID ]] || return 0
  kill -TERM "$GAME_PRESSER_PID" 2>/dev/null || true
  wait "$GAME_PRESSER_PID" 2>/dev/null || true
  GAME_PRESSER_PID=
}

# game_bid_until_over WON_INK_BEFORE SECONDS: bids (game_start_bidding) from now
# until the auction is over: won, when a line comes into "Aste Vinte" (the room
# then stays open 3 s), or lost, when the room closes. GAME_AUCTION_WON is 1 or 0. The
# room is closed on return; returns 1 if it is not after SECONDS.
GAME_AUCTION_WON=0
game_bid_until_over() {
  local before=$1 deadline=$((SECONDS + $2))
  GAME_AUCTION_WON=0
  game_start_bidding
  while :; do
    if ! rw_app_alive; then
      game_stop_bidding
      rw_check_app_alive "during the auction"
    fi
    game_probe
    game_won_ink "$GAME_PROBE"
    if ((RW_INK >= before + GAME_WON_MIN_INK)); then
      game_stop_bidding
      GAME_AUCTION_WON=1
      game_room_lines "$GAME_PROBE"
      break
    fi
    game_room_state "$GAME_PROBE"
    if ((!GAME_ROOM)); then
      game_stop_bidding
      break
    fi
    if ((SECONDS >= deadline)); then
      game_stop_bidding
      return 1
    fi
  done
  game_wait_room_closed 20
}

# game_dismiss_offer: a buyer's offer open now is refused with Esc.
game_dismiss_offer() {
  game_room_state
  ((GAME_OFFER)) || return 0
  rw_log "a buyer's offer is open: refusing it with Esc"
  GAME_OFFERS_SEEN=$((GAME_OFFERS_SEEN + 1))
  [[ -n $GAME_MAIN ]] || game_main_window
  rw_key "$GAME_MAIN" Escape
  local deadline=$((SECONDS + 10))
  while game_room_state && ((GAME_OFFER)); do
    ((SECONDS < deadline)) || rw_fail "Esc did not close the buyer's offer"
    sleep 0.2
  done
}

# game_won_ink [FILE]: RW_INK = pixels of text in "Aste Vinte" (0 when it is
# empty), right of where the auction room and a buyer's offer reach (both end
# ~706 px in from the left), so that they do not count as text while open.
# FILE defaults to a new probe.
game_won_ink() {
  local file=${1:-}
  if [[ -z $file ]]; then
    game_probe
    file=$GAME_PROBE
  fi
  convert "$file" -crop "+$GAME_WON_FROM_X+0" +repage "$RW_TMP/won.png" ||
    rw_fail "cropping $file failed"
  rw_ink "$RW_TMP/won.png" "$GAME_WON"
  ((RW_INK >= 0)) || rw_fail "'Aste Vinte' ($GAME_WON) is not on screen"
}

# game_menu_item DOWN_OR_UP COUNT: opens File by a click on the menu bar and
# picks an item with COUNT presses of Down (from the top) or Up (from the
# bottom), then Return.
game_menu_item() {
  [[ -n $GAME_MAIN ]] || game_main_window
  rw_open_file_menu "$GAME_MAIN"
  local i
  for ((i = 0; i < $2; i++)); do
    rw_keys "$1"
  done
  sleep 0.3
}

# game_wait_message_box [NOT_ID] [SECONDS=20]: RW_FOUND = a message box titled
# exactly "Marvesto" (the main window has that title too, but no
# WM_TRANSIENT_FOR), other than the window NOT_ID.
game_wait_message_box() {
  local not=${1:-} deadline=$((SECONDS + ${2:-20})) id
  while :; do
    for id in $(rw_windows '^Marvesto$'); do
      [[ $id != "$not" ]] || continue
      if xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; then
        RW_FOUND=$id
        rw_log "message box 'Marvesto' is $RW_FOUND"
        return 0
      fi
    done
    rw_check_app_alive "while waiting for a message box titled 'Marvesto'"
    ((SECONDS < deadline)) || rw_fail "no message box titled 'Marvesto' within ${2:-20} s"
    sleep 0.1
  done
}

# game_wait_window_gone WID [SECONDS=10]: waits until the window is unmapped.
game_wait_window_gone() {
  local deadline=$((SECONDS + ${2:-10}))
  while xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; do
    ((SECONDS < deadline)) || rw_fail "window $1 is still shown after ${2:-10} s"
    sleep 0.1
  done
}

# game_quit: File > Esci; the game must end with exit code 0.
game_quit() {
  game_menu_item Up 1
  rw_keys Return
  rw_wait_app_exit 20 || rw_fail "the game still runs 20 s after File > Esci"
  ((RW_EXIT_CODE == 0)) || rw_fail "the game exited with code $RW_EXIT_CODE after File > Esci"
}
