#!/usr/bin/env bash
# The game with its data missing or broken, and with no sound server, in a
# real window: copies of the program's folder, each broken one way, are
# played on one private X server with a private PulseAudio whose null sink is
# recorded. In every case the game must show both prompts, fill the market,
# open an auction on "0" + Enter and close it again (so that the cues are
# tried), and end with exit code 0 on File > Esci.
#
#   case               DeskTop.jpg / Sound/                   backdrop   sound
#   intact             as installed                           photo      cues
#   no-picture         DeskTop.jpg removed                    black      cues
#   empty-picture      zero bytes                             black      cues
#   truncated-picture  its first 30%                          top part   cues
#   text-picture       a text file                            black      cues
#   huge-picture       10000x10000 gradient, red to blue      gradient   cues
#   dir-picture        a folder                               black      cues
#   dangling-picture   a symbolic link to nothing             black      cues
#   fifo-picture       a FIFO no one writes to                black      cues
#   no-sound           no Sound/ folder                       photo      silence
#   empty-sounds       every WAV zero bytes                   photo      silence
#   corrupt-sounds     "RIFF" and random bytes                photo      silence
#   dir-sounds         every WAV a folder                     photo      silence
#   bad-server         PULSE_SERVER=unix:/nonexistent          photo      -
#   no-server          no PULSE_SERVER, no server to find      photo      -
#
# (no-server: the game's runtime folder is a new empty one and no system-wide
# server runs; like every client here it may not start a server of its own,
# see pulse.sh.)
#
# Unreadable files are made of folders and dangling links: the tests run as
# root, which reads a file of mode 000 all the same. Opening a FIFO waits for
# a writer: a game that opened it would hang before its first prompt. The backdrop is checked
# where no window covers it: the screen's bottom strip and the corner right
# of "Aste Vinte". "photo" is the intact case's picture there; "top part"
# means the photo at the top (what was decoded) and no black at the bottom.
#
#   broken-data-test.sh GAME ARTIFACT_ROOT [CASE...]
#
# Screenshots, each game's output (CASE.log; app.log for a case that failed)
# and the recording go to ARTIFACT_ROOT/broken-data/.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/realwindow/lib.sh
source "$HERE/lib.sh"
# shellcheck source=tests/realwindow/game.sh
source "$HERE/game.sh"
# shellcheck source=tests/realwindow/pulse.sh
source "$HERE/pulse.sh"

GAME=${1:?usage: broken-data-test.sh GAME ARTIFACT_ROOT [CASE...]}
ARTIFACT_ROOT=${2:?usage: broken-data-test.sh GAME ARTIFACT_ROOT [CASE...]}
shift 2
ALL_CASES=(intact no-picture empty-picture truncated-picture text-picture huge-picture
  dir-picture dangling-picture fifo-picture no-sound empty-sounds corrupt-sounds dir-sounds bad-server
  no-server)
CASES=("${@:-${ALL_CASES[@]}}")
APPDIR=$(cd "$(dirname "$GAME")" && pwd)
CUES=(1 2 3 5 6)
BOTTOM=1280x300+0+700 # below every game window
CORNER=230x260+1040+40 # right of "Aste Vinte"

rw_init broken-data "$ARTIFACT_ROOT"
trap 'status=$?; set +e; pa_stop; (exit $status); rw_cleanup' EXIT
[[ -f $APPDIR/DeskTop.jpg && -d $APPDIR/Sound ]] || rw_fail "no DeskTop.jpg and Sound/ beside $GAME"
pa_start "$RW_TMP" "$RW_ARTIFACTS" || rw_fail "no private PulseAudio"
SERVER=$PULSE_SERVER
pa_record "$RW_TMP/recording.wav" || rw_fail "cannot record the null sink"
rw_start_xvfb
windows=()

# region_stats FILE CROP: STATS = "mean max mean_red mean_blue" of the region.
region_stats() {
  STATS=$(convert "$1" -alpha off -crop "$2" +repage \
    -format '%[fx:mean] %[fx:maxima] %[fx:mean.r] %[fx:mean.b]' info:) ||
    rw_fail "cannot measure $2 of $1"
}

# same_as_intact FILE CROP: the region shows what it showed in the intact case.
same_as_intact() {
  local diff
  # The intact case's screenshot, intact.png, is the reference.
  [[ -f $RW_ARTIFACTS/intact.png ]] || rw_fail "the intact case must run first, as the reference"
  convert "$1" -alpha off -crop "$2" +repage "$RW_TMP/a.png"
  convert "$RW_ARTIFACTS/intact.png" -alpha off -crop "$2" +repage "$RW_TMP/b.png"
  diff=$(compare -metric RMSE "$RW_TMP/a.png" "$RW_TMP/b.png" null: 2>&1 || true)
  diff=${diff#*(}
  diff=${diff%)*}
  awk -v d="$diff" 'BEGIN { exit !(d < 0.02) }'
}

# check_backdrop CASE KIND FILE
check_backdrop() {
  local name=$1 kind=$2 file=$3 bottom corner
  region_stats "$file" "$BOTTOM"
  bottom=$STATS
  region_stats "$file" "$CORNER"
  corner=$STATS
  rw_log "$name: backdrop bottom strip (mean max red blue) $bottom; top corner $corner"
  case $kind in
  black)
    [[ ${bottom#* } == 0\ * && ${corner#* } == 0\ * ]] ||
      rw_fail "$name: the backdrop should be plain black with no usable picture"
    ;;
  photo)
    if [[ $name == intact ]]; then
      awk -v m="${bottom%% *}" 'BEGIN { exit !(m > 0.03) }' ||
        rw_fail "$name: no photo in the backdrop (bottom strip mean ${bottom%% *})"
    else
      if ! same_as_intact "$file" "$BOTTOM" || ! same_as_intact "$file" "$CORNER"; then
        rw_fail "$name: the backdrop differs from the intact case's photo"
      fi
    fi
    ;;
  top-part)
    same_as_intact "$file" "$CORNER" ||
      rw_fail "$name: the top of the backdrop is not the top of the photo"
    awk -v m="${bottom%% *}" 'BEGIN { exit !(m > 0.03) }' ||
      rw_fail "$name: the bottom of the backdrop is black"
    ;;
  gradient)
    read -r _ _ red blue <<<"$corner"
    awk -v r="$red" -v b="$blue" 'BEGIN { exit !(r > 0.6 && b < 0.4) }' ||
      rw_fail "$name: the top of the backdrop is not red (red $red, blue $blue)"
    read -r _ _ red blue <<<"$bottom"
    awk -v r="$red" -v b="$blue" 'BEGIN { exit !(b > 0.6 && r < 0.4) }' ||
      rw_fail "$name: the bottom of the backdrop is not blue (red $red, blue $blue)"
    ;;
  *) rw_fail "unknown backdrop kind $kind" ;;
  esac
}

# break_folder CASE DIR: breaks the copy of the program's folder in DIR.
break_folder() {
  local dir=$2 cue size
  case $1 in
  no-picture) rm "$dir/DeskTop.jpg" ;;
  empty-picture) : >"$dir/DeskTop.jpg" ;;
  truncated-picture)
    size=$(stat -c %s "$APPDIR/DeskTop.jpg")
    head -c $((size * 30 / 100)) "$APPDIR/DeskTop.jpg" >"$dir/DeskTop.jpg"
    ;;
  text-picture) printf 'Questa non è una fotografia.\n' >"$dir/DeskTop.jpg" ;;
  huge-picture)
    if [[ ! -f $RW_TMP/huge.jpg ]]; then
      /usr/bin/convert -size 10000x10000 gradient:red-blue -quality 85 "$RW_TMP/huge.jpg" ||
        rw_fail "cannot make a 10000x10000 picture"
    fi
    cp "$RW_TMP/huge.jpg" "$dir/DeskTop.jpg"
    ;;
  dir-picture) rm "$dir/DeskTop.jpg" && mkdir "$dir/DeskTop.jpg" ;;
  dangling-picture) rm "$dir/DeskTop.jpg" && ln -s "$dir/nothing/DeskTop.jpg" "$dir/DeskTop.jpg" ;;
  fifo-picture) rm "$dir/DeskTop.jpg" && mkfifo "$dir/DeskTop.jpg" ;;
  no-sound) rm -r "$dir/Sound" ;;
  empty-sounds) for cue in "${CUES[@]}"; do : >"$dir/Sound/$cue.wav"; done ;;
  corrupt-sounds)
    for cue in "${CUES[@]}"; do
      { printf 'RIFF'; head -c 40000 /dev/urandom; } >"$dir/Sound/$cue.wav"
    done
    ;;
  dir-sounds) for cue in "${CUES[@]}"; do rm "$dir/Sound/$cue.wav" && mkdir "$dir/Sound/$cue.wav"; done ;;
  intact | bad-server | no-server) ;;
  *) rw_fail "unknown case $1" ;;
  esac
}

# play_case CASE BACKDROP SOUND
play_case() {
  local name=$1 backdrop=$2 sound=$3 dir=$RW_TMP/cases/$1 started ended
  rw_log "=== $name"
  mkdir -p "$RW_TMP/cases"
  cp -a "$APPDIR" "$dir"
  break_folder "$name" "$dir"
  rm -rf "$RW_TMP/runtime"
  case $name in
  bad-server) export PULSE_SERVER=unix:/nonexistent/marvesto-no-sound-server ;;
  no-server) unset PULSE_SERVER ;;
  *) export PULSE_SERVER=$SERVER ;;
  esac
  rw_start_app "$dir/marvesto"
  GAME_MAIN=
  game_answer_prompts "Tester" "50000" "Quanti euro vuoi?"
  game_main_window
  game_wait_market 20
  if [[ $name == no-server ]]; then
    # Nothing of PulseAudio's may have been started for the game.
    ! pgrep -P "$RW_APP_PID" >/dev/null || rw_fail "$name: the game started $(pgrep -a -P "$RW_APP_PID")"
  fi
  rw_screenshot "$name"
  check_backdrop "$name" "$backdrop" "$RW_SHOT"
  started=$(pa_now)
  game_console_command 0
  game_wait_room_open 15 || rw_fail "$name: '0' + Enter opened no auction room within 15 s"
  rw_screenshot "$name-auction"
  game_wait_room_closed 25 || rw_fail "$name: the auction room is still open 25 s after it opened"
  ended=$(pa_now)
  case $sound in
  cues | silence)
    windows+=("$name:$(awk -v s="$started" 'BEGIN { print s - 0.2 }'):$(awk -v e="$ended" 'BEGIN { print e + 0.5 }'):${sound/cues/sound}")
    ;;
  esac
  game_dismiss_offer
  game_quit
  mv "$RW_APP_LOG" "$RW_ARTIFACTS/$name.log"
  rw_log "$name: PASS"
}

for name in "${CASES[@]}"; do
  case $name in
  intact) play_case intact photo cues ;;
  no-picture | empty-picture | text-picture | dir-picture | dangling-picture | fifo-picture)
    play_case "$name" black cues
    ;;
  truncated-picture) play_case "$name" top-part cues ;;
  huge-picture) play_case "$name" gradient cues ;;
  no-sound | empty-sounds | corrupt-sounds | dir-sounds) play_case "$name" photo silence ;;
  bad-server | no-server) play_case "$name" photo none ;;
  *) rw_fail "unknown case $name (cases: ${ALL_CASES[*]})" ;;
  esac
done

sleep 0.5
pa_stop
cp "$RW_TMP/recording.wav" "$RW_ARTIFACTS/recording.wav"
if ((${#windows[@]})); then
  python3 "$HERE/sound-windows.py" "$RW_ARTIFACTS/recording.wav" "$APPDIR/Sound" "${windows[@]}" |
    tee "$RW_ARTIFACTS/sound.txt" >&2 ||
    rw_fail "the recording does not hold what each case should have played ($RW_ARTIFACTS/sound.txt)"
fi
rw_log "PASS: ${CASES[*]}"
