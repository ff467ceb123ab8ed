#!/usr/bin/env bash
# Runs every Marvesto benchmark on a private Xvfb and writes the results:
#
#   bench/run.sh
#
# builds the game and the bench programs (into build-bench/ unless
# MARVESTO_BENCH_BUILD_DIR says otherwise), measures each figure side by side
# with its baseline in the same run, and writes bench/REPORT.md (the table,
# the machine, the date, how each figure is taken) and bench/timer-jitter.png.
# Raw results and per-sample files go to bench/out/. It takes about 4 minutes
# and wants a quiet machine: the report records the load average it saw.
#
# Steps can be run alone (the report is then written from bench/out/ as it
# stands, older results included): bench/run.sh startup idle timers latency
# backdrop memory report. BENCH_QUICK=1 takes fewer samples, to try the script.
#
# Needs: cmake, a C++20 compiler, Qt 6 (Widgets, Multimedia, Test), Xlib
# headers, Xvfb and xdotool (scripts/install-deps.sh test installs them all).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${MARVESTO_BENCH_BUILD_DIR:-$ROOT/build-bench}
OUT=$ROOT/bench/out
REPORT=$ROOT/bench/REPORT.md
CHART=$ROOT/bench/timer-jitter.png
BIN=$BUILD/bench
GAME=$BUILD/app/marvesto
QUICK=${BENCH_QUICK:-0}

STARTUP_RUNS=15
IDLE_S=60
TIMER_RUN_MS=63000
KEY_SAMPLES=200
if [[ $QUICK == 1 ]]; then
  STARTUP_RUNS=3 IDLE_S=10 TIMER_RUN_MS=8000 KEY_SAMPLES=20
fi

ALL_STEPS=(build startup idle timers latency backdrop memory report)
STEPS=("$@")
[[ ${#STEPS[@]} -gt 0 ]] || STEPS=("${ALL_STEPS[@]}")

log() { printf '[bench %s] %s\n' "$(date +%T)" "$*" >&2; }
die() {
  log "FAIL: $*"
  exit 1
}

for tool in cmake Xvfb xdotool; do
  command -v "$tool" >/dev/null || die "missing $tool (scripts/install-deps.sh test installs it)"
done

mkdir -p "$OUT"
TMP=$(mktemp -d "${TMPDIR:-/tmp}/marvesto-bench.XXXXXX")
PIDS=()
cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$TMP"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mkdir -m 700 "$TMP/runtime"
export XDG_RUNTIME_DIR=$TMP/runtime XDG_DATA_HOME=$TMP/data LC_ALL=C.UTF-8 LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES='qt.qpa.*=false'
unset WAYLAND_DISPLAY

# start_xvfb SIZE: a private X server; sets DISPLAY and XVFB_PID.
start_xvfb() {
  local file=$TMP/display.$RANDOM deadline=$((SECONDS + 20))
  : >"$file"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$file" >>"$OUT/xvfb.log" 2>&1 &
  XVFB_PID=$!
  PIDS+=("$XVFB_PID")
  until grep -qx '[0-9][0-9]*' "$file"; do
    kill -0 "$XVFB_PID" 2>/dev/null || die "Xvfb did not start (see $OUT/xvfb.log)"
    ((SECONDS < deadline)) || die "Xvfb did not start within 20 s"
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$file")"
  log "Xvfb $1 on $DISPLAY"
}

# forget_pid PID: a process that has ended and been waited for; the exit trap
# must never signal its id, which may be used again since.
forget_pid() {
  local kept=() p
  for p in "${PIDS[@]}"; do [[ $p == "$1" ]] || kept+=("$p"); done
  PIDS=("${kept[@]}")
}

stop_pid() {
  local pid=$1 i state=
  forget_pid "$pid"
  if kill "$pid" 2>/dev/null; then
    for i in $(seq 50); do
      state=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || state=
      [[ -z $state || $state == Z ]] && break
      sleep 0.1
    done
    [[ -z $state || $state == Z ]] || kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}

# median FILE: the median of the numbers in FILE, one a line.
median() { sort -g "$1" | awk '{v[NR]=$1} END {if (NR==0) print "nan"; else if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }

# val FILE KEY: the value of KEY=value in FILE, or "nan".
val() {
  local v
  v=$(grep -m1 "^$2=" "$1" 2>/dev/null | cut -d= -f2-) || true
  echo "${v:-nan}"
}

# cpu_ticks PID: utime + stime of the process, in clock ticks.
cpu_ticks() { awk '{sub(/^.*\) /, ""); print $12 + $13}' "/proc/$1/stat"; }
# Wake-ups of every thread of a process: each thread's voluntary context
# switches (a sleep it was woken from) plus its involuntary ones, one line a
# thread: "tid count name". The process's own status counts its main thread only.
thread_wakeups() {
  local task
  for task in /proc/"$1"/task/*; do
    awk -v tid="${task##*/}" '/^Name:/ {sub(/^Name:[ \t]*/, ""); name = $0}
      /^(non)?voluntary_ctxt_switches/ {n += $2}
      END {gsub(/ /, "_", name); print tid, n, name}' "$task/status" 2>/dev/null || true
  done
}
# The sum over all threads.
wakeups() { thread_wakeups "$1" | awk '{n += $2} END {print n + 0}'; }
# per_thread BEFORE AFTER SECONDS: wake-ups a second of each thread, busiest
# first, as "name (tid) rate"; a thread started meanwhile counts from zero.
per_thread() {
  awk -v s="$3" 'NR == FNR {before[$1] = $2; next}
    {printf "%s (%s) %.2f\n", $3, $1, ($2 - before[$1]) / s}' "$1" "$2" | sort -k3 -g -r
}

wait_window() { # TITLE: waits for a mapped window; prints its id
  local id
  id=$(timeout 30 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
  [[ -n $id ]] || die "no window titled '$1'"
  echo "$id"
}

answer_prompt() { # TITLE TEXT
  local id
  id=$(wait_window "$1")
  timeout 5 xdotool windowfocus --sync "$id"
  xdotool type --delay 20 -- "$2"
  xdotool key Return
}

step_build() {
  log "building into $BUILD"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMARVESTO_BUILD_BENCH=ON \
    >"$OUT/build.log"
  cmake --build "$BUILD" --parallel "$(nproc)" --target marvesto baseline_minimal \
    baseline_idle_timer baseline_timers baseline_echo bench_startup_probe bench_timers \
    bench_latency bench_backdrop bench_memory bench_chart >>"$OUT/build.log" 2>&1 ||
    die "build failed (see $OUT/build.log)"
}

# --- 1. Start-up: process start to the first prompt mapped, against a minimal window.
step_startup() {
  local i order
  start_xvfb 1920x1080x24
  : >"$OUT/startup-game.txt"
  : >"$OUT/startup-minimal.txt"
  : >"$OUT/startup-text.txt"
  : >"$OUT/startup-prompt.txt"
  probe() { # FILE TITLE PROGRAM
    local file=$1 title=$2
    shift 2
    (cd "$TMP" && "$BIN/bench_startup_probe" "$title" 20 "$@") | sed -n 's/^startup_ms=//p' >>"$file"
  }
  log "start-up: a warm-up run of each, then $STARTUP_RUNS of each, in turn"
  probe /dev/null "Nome del giocatore" "$GAME"
  probe /dev/null "Minimal Qt window" "$BIN/baseline_minimal"
  probe /dev/null "Minimal Qt window" "$BIN/baseline_minimal" --text
  probe /dev/null "Nome del giocatore" "$BIN/baseline_minimal" --prompt
  for i in $(seq "$STARTUP_RUNS"); do
    case $((i % 4)) in
      0) order=(game minimal text prompt) ;;
      1) order=(minimal prompt game text) ;;
      2) order=(text game prompt minimal) ;;
      *) order=(prompt text minimal game) ;;
    esac
    for which in "${order[@]}"; do
      case $which in
        game) probe "$OUT/startup-game.txt" "Nome del giocatore" "$GAME" ;;
        minimal) probe "$OUT/startup-minimal.txt" "Minimal Qt window" "$BIN/baseline_minimal" ;;
        text) probe "$OUT/startup-text.txt" "Minimal Qt window" "$BIN/baseline_minimal" --text ;;
        prompt) probe "$OUT/startup-prompt.txt" "Nome del giocatore" "$BIN/baseline_minimal" --prompt ;;
      esac
    done
  done
  {
    echo "startup_game_runs=$(wc -l <"$OUT/startup-game.txt")"
    echo "startup_game_median_ms=$(median "$OUT/startup-game.txt")"
    echo "startup_minimal_runs=$(wc -l <"$OUT/startup-minimal.txt")"
    echo "startup_minimal_median_ms=$(median "$OUT/startup-minimal.txt")"
    echo "startup_text_median_ms=$(median "$OUT/startup-text.txt")"
    echo "startup_prompt_median_ms=$(median "$OUT/startup-prompt.txt")"
  } >"$OUT/startup.txt"
  stop_pid "$XVFB_PID"
  cat "$OUT/startup.txt" >&2
}

# --- 2. Idle cost: CPU time and wake-ups of a game left alone, against the same
# prompt shown alone (the floor) and one 1 ms timer.
step_idle() {
  local game_pid base_pid floor_pid t0 t1 hz secs p which
  start_xvfb 1920x1080x24
  hz=$(getconf CLK_TCK)
  (cd "$TMP" && exec "$GAME") >"$OUT/idle-game.log" 2>&1 &
  game_pid=$!
  PIDS+=("$game_pid")
  answer_prompt "Nome del giocatore" "Bench"
  answer_prompt "Quanti euro vuoi" "10000"
  "$BIN/baseline_idle_timer" >"$OUT/idle-baseline.log" 2>&1 &
  base_pid=$!
  PIDS+=("$base_pid")
  "$BIN/baseline_minimal" --prompt >"$OUT/idle-floor.log" 2>&1 &
  floor_pid=$!
  PIDS+=("$floor_pid")
  wait_window "Nome del giocatore" >/dev/null
  # The backdrop loaded and painted, the first market lines in, and the caret
  # past its blinking time.
  sleep 12
  log "idle: sampling all three for $IDLE_S s"
  declare -A pids=([game]=$game_pid [baseline]=$base_pid [floor]=$floor_pid)
  # Each one's CPU ticks and its threads' wake-ups, at one MOMENT.
  idle_sample() {
    local which
    for which in game baseline floor; do
      cpu_ticks "${pids[$which]}" >"$OUT/idle-$which-cpu-$1.txt"
      thread_wakeups "${pids[$which]}" >"$OUT/idle-$which-threads-$1.txt"
    done
  }
  t0=$(date +%s.%N)
  idle_sample before
  sleep "$IDLE_S"
  t1=$(date +%s.%N)
  idle_sample after
  kill -0 "$game_pid" 2>/dev/null || die "the game ended during the idle run"
  import_shot "$OUT/idle-screen.png"
  secs=$(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.2f", b-a}')
  {
    echo "idle_seconds=$secs"
    for which in game baseline floor; do
      ticks=$(($(<"$OUT/idle-$which-cpu-after.txt") - $(<"$OUT/idle-$which-cpu-before.txt")))
      threads=$(per_thread "$OUT/idle-$which-threads-before.txt" \
        "$OUT/idle-$which-threads-after.txt" "$secs")
      echo "idle_${which}_cpu_pct=$(awk -v d="$ticks" -v hz="$hz" -v s="$secs" 'BEGIN {printf "%.3f", 100*d/hz/s}')"
      echo "idle_${which}_wakeups_per_s=$(awk '{n += $NF} END {printf "%.2f", n}' <<<"$threads")"
      echo "idle_${which}_threads=$(paste -sd ';' <<<"$threads" | sed 's/;/; /g')"
    done
    echo "idle_clock_ticks_per_s=$hz"
    echo "idle_load=$(cut -d' ' -f1-3 /proc/loadavg)"
  } >"$OUT/idle.txt"
  stop_pid "$game_pid"
  stop_pid "$base_pid"
  stop_pid "$floor_pid"
  stop_pid "$XVFB_PID"
  cat "$OUT/idle.txt" >&2
}

import_shot() { command -v import >/dev/null && import -silent -window root "$1" 2>/dev/null || true; }

# --- 3. Timer precision: the game's Timer objects beside its running timers, against plain QTimers.
step_timers() {
  local gp bp
  start_xvfb 1920x1080x24
  log "timers: game and baseline side by side for $((TIMER_RUN_MS / 1000)) s"
  "$BIN/bench_timers" "$OUT/game-ticks.csv" "$TIMER_RUN_MS" >"$OUT/timers-game.txt" 2>"$OUT/timers-game.log" &
  gp=$!
  "$BIN/baseline_timers" "$OUT/baseline-ticks.csv" "$TIMER_RUN_MS" >"$OUT/timers-baseline.txt" 2>"$OUT/timers-baseline.log" &
  bp=$!
  PIDS+=("$gp" "$bp")
  wait "$gp" || die "bench_timers failed (see $OUT/timers-game.log)"
  forget_pid "$gp"
  wait "$bp" || die "baseline_timers failed (see $OUT/timers-baseline.log)"
  forget_pid "$bp"
  stop_pid "$XVFB_PID"
  QT_QPA_PLATFORM=offscreen "$BIN/bench_chart" "$OUT/game-ticks.csv" "$OUT/baseline-ticks.csv" "$CHART" \
    "Timer lateness per tick: auction periods while the game runs, against plain QTimers" ||
    die "the chart could not be drawn"
  cat "$OUT/timers-game.txt" "$OUT/timers-baseline.txt" >&2
}

# --- 4. Handler latency: keys from xdotool to the painted result, against a bare QLineEdit.
step_latency() {
  start_xvfb 1920x1080x24
  log "latency: $KEY_SAMPLES samples of each key in the game, then in the baseline"
  "$BIN/bench_latency" "$KEY_SAMPLES" >"$OUT/latency-game.txt" 2>"$OUT/latency-game.log" ||
    die "bench_latency failed (see $OUT/latency-game.log)"
  "$BIN/baseline_echo" "$KEY_SAMPLES" >"$OUT/latency-baseline.txt" 2>"$OUT/latency-baseline.log" ||
    die "baseline_echo failed (see $OUT/latency-baseline.log)"
  stop_pid "$XVFB_PID"
  cat "$OUT/latency-game.txt" "$OUT/latency-baseline.txt" >&2
}

# --- 5. Backdrop: stretching photographs into the inner area, and a drag.
step_backdrop() {
  start_xvfb 3840x2400x24
  log "backdrop: 3 photographs x 3 areas, then a drag of 30 resizes"
  "$BIN/bench_backdrop" "$OUT/backdrop" >"$OUT/backdrop.txt" 2>"$OUT/backdrop.log" ||
    die "bench_backdrop failed (see $OUT/backdrop.log)"
  stop_pid "$XVFB_PID"
  cat "$OUT/backdrop.txt" >&2
}

# --- 6. Memory: ten virtual minutes of random play, against the minimal window's peak.
step_memory() {
  local pid
  start_xvfb 1920x1080x24
  log "memory: the minimal window's peak, then ten virtual minutes of play"
  "$BIN/baseline_minimal" >"$OUT/memory-minimal.log" 2>&1 &
  pid=$!
  PIDS+=("$pid")
  wait_window "Minimal Qt window" >/dev/null
  sleep 1
  awk '/^VmHWM:/ {print "minimal_hwm_kb=" $2} /^RssAnon:/ {print "minimal_anon_kb=" $2}
       /^RssFile:/ {print "minimal_file_kb=" $2} /^RssShmem:/ {print "minimal_shmem_kb=" $2}' \
    "/proc/$pid/status" >"$OUT/memory-minimal.txt"
  stop_pid "$pid"
  "$BIN/bench_memory" >"$OUT/memory.txt" 2>"$OUT/memory.log" || die "bench_memory failed (see $OUT/memory.log)"
  stop_pid "$XVFB_PID"
  cat "$OUT/memory-minimal.txt" "$OUT/memory.txt" >&2
}

# --- The report.
fmt() { awk -v v="$1" -v d="${2:-1}" 'BEGIN {if (v == "nan" || v == "") print "n/a"; else printf "%.*f", d, v}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (a == "nan" || b == "nan" || b == 0) print "n/a"; else printf "%.2f×", a/b}'; }
yesno() { awk "BEGIN {exit !($1)}" && echo yes || echo "**no**"; }

step_report() {
  local s=$OUT/startup.txt i=$OUT/idle.txt tg=$OUT/timers-game.txt tb=$OUT/timers-baseline.txt
  local lg=$OUT/latency-game.txt lb=$OUT/latency-baseline.txt b=$OUT/backdrop.txt
  local m=$OUT/memory.txt mm=$OUT/memory-minimal.txt
  local sg sm ig ib ifl iwg iwb iwf hwm mhwm r5 r10 qt
  sg=$(val "$s" startup_game_median_ms) sm=$(val "$s" startup_prompt_median_ms)
  ig=$(val "$i" idle_game_cpu_pct) ib=$(val "$i" idle_baseline_cpu_pct) ifl=$(val "$i" idle_floor_cpu_pct)
  iwg=$(val "$i" idle_game_wakeups_per_s) iwb=$(val "$i" idle_baseline_wakeups_per_s)
  iwf=$(val "$i" idle_floor_wakeups_per_s)
  hwm=$(val "$m" memory_hwm_kb) mhwm=$(val "$mm" minimal_hwm_kb)
  r5=$(val "$m" memory_rss5_kb) r10=$(val "$m" memory_rss10_kb)
  qt=$(val "$tg" qt_version)
  [[ $qt != nan ]] || qt=$(qtpaths6 --qt-version 2>/dev/null || echo unknown)

  {
    echo "# Marvesto benchmarks"
    echo
    echo "Measured by \`bench/run.sh\` from $(val "$OUT/run.txt" run_started) (steps: $(val "$OUT/run.txt" steps)); report written $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    echo "| Machine | |"
    echo "| --- | --- |"
    echo "| CPUs (nproc) | $(nproc) |"
    echo "| CPU model | $(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo) |"
    echo "| Kernel | $(uname -sr) |"
    echo "| Qt | $qt |"
    echo "| Load average (1, 5, 15 min) when the measuring began / ended | $(val "$OUT/run.txt" load_at_start) / $(val "$OUT/run.txt" load_at_end) |"
    echo "| Command | \`bench/run.sh\`$([[ $QUICK == 1 ]] && echo ' (BENCH_QUICK=1: fewer samples)') |"
    echo
    echo "Each figure is measured in the same run as its baseline, side by side or"
    echo "alternating, so that the machine's other work weighs on both alike."
    echo "Times in ms unless marked; ratio = game / baseline."
    echo
    echo "| Figure | Game | Baseline | Ratio | Target | Met? |"
    echo "| --- | --- | --- | --- | --- | --- |"
    echo "| 1. Start-up to the first prompt mapped, median of $(val "$s" startup_game_runs) | $(fmt "$sg") | $(fmt "$sm") (the same prompt alone, mapped) | $(ratio "$sg" "$sm") | ≤ 1.3× the same-prompt floor | $(yesno "$sg <= 1.3 * $sm") |"
    echo "| 2. Idle CPU over $(fmt "$(val "$i" idle_seconds)" 0) s, % of one core (load $(val "$i" idle_load)) | $(fmt "$ig" 2) % | $(fmt "$ifl" 2) % (the same prompt alone); $(fmt "$ib" 2) % (one 1 ms QTimer) | $(ratio "$ig" "$ib") (1 ms timer) | ≤ 0.1 % | $(yesno "$ig <= 0.1") |"
    echo "| 2. Idle wake-ups per second, summed over all threads (context switches) | $(fmt "$iwg" 1) | $(fmt "$iwf" 1) (the same prompt alone); $(fmt "$iwb" 1) (one 1 ms QTimer) | $(ratio "$iwg" "$iwb") (1 ms timer) | ≤ 5 | $(yesno "$iwg <= 5") |"
    for p in 350 1000 3000; do
      local gp50 gp99 gmax bp50 bp99 bmax target met
      gp50=$(val "$tg" "game_${p}_p50") gp99=$(val "$tg" "game_${p}_p99") gmax=$(val "$tg" "game_${p}_max")
      bp50=$(val "$tb" "baseline_${p}_p50") bp99=$(val "$tb" "baseline_${p}_p99") bmax=$(val "$tb" "baseline_${p}_max")
      if [[ $p == 350 ]]; then target="p99 ≤ 2" met=$(yesno "$gp99 <= 2"); else target="—" met="—"; fi
      echo "| 3. Lateness of $p ms ticks (n = $(val "$tg" "game_${p}_n") / $(val "$tb" "baseline_${p}_n")), p50 / p99 / max | $(fmt "$gp50" 2) / $(fmt "$gp99" 2) / $(fmt "$gmax" 2) | $(fmt "$bp50" 2) / $(fmt "$bp99" 2) / $(fmt "$bmax" 2) | $(ratio "$gp99" "$bp99") (p99) | $target | $met |"
    done
    local ep99 ap99 rp99 bp99
    ep99=$(val "$lg" echo_p99) ap99=$(val "$lg" auction_p99) rp99=$(val "$lg" report_p99) bp99=$(val "$lb" echo_p99)
    echo "| 4a. Key \"2\" → echoed at the console's command line, p50 / p99 / max | $(fmt "$(val "$lg" echo_p50)") / $(fmt "$ep99") / $(fmt "$(val "$lg" echo_max)") | $(fmt "$(val "$lb" echo_p50)") / $(fmt "$bp99") / $(fmt "$(val "$lb" echo_max)") (bare QLineEdit) | $(ratio "$ep99" "$bp99") (p99) | p99 ≤ 16 | $(yesno "$ep99 <= 16") |"
    echo "| 4b. Enter after \"2\" → auction room painted, p50 / p99 / max | $(fmt "$(val "$lg" auction_p50)") / $(fmt "$ap99") / $(fmt "$(val "$lg" auction_max)") | $(fmt "$(val "$lb" echo_p50)") / $(fmt "$bp99") / $(fmt "$(val "$lb" echo_max)") (bare QLineEdit) | $(ratio "$ap99" "$bp99") (p99) | p99 ≤ 16 | $(yesno "$ap99 <= 16") |"
    echo "| 4c. Enter on a won box → report painted on the console, p50 / p99 / max | $(fmt "$(val "$lg" report_p50)") / $(fmt "$rp99") / $(fmt "$(val "$lg" report_max)") | $(fmt "$(val "$lb" echo_p50)") / $(fmt "$bp99") / $(fmt "$(val "$lb" echo_max)") (bare QLineEdit) | $(ratio "$rp99" "$bp99") (p99) | p99 ≤ 16 | $(yesno "$rp99 <= 16") |"
    for photo in 2mp 12mp 24mp; do
      for area in 1280x800 1920x1080 3840x2160; do
        local k="backdrop_${photo}_${area}" red sc target met
        red=$(val "$b" "${k}_redraw_p50") sc=$(val "$b" "${k}_scaled_p50")
        if [[ $photo == 12mp && $area == 1920x1080 ]]; then
          target="≤ 16 per redraw" met=$(yesno "$(val "$b" "${k}_redraw_max") <= 16")
        else target="—" met="—"; fi
        echo "| 5. Backdrop redraw, ${photo^^} photo into $area, median (max) | $(fmt "$red") ($(fmt "$(val "$b" "${k}_redraw_max")")) | $(fmt "$sc") (QImage::scaled) | $(ratio "$red" "$sc") | $target | $met |"
      done
    done
    echo "| 5. Drag: 30 resizes 16 ms apart (12 MP photo): redraws run / stale ones, worst lag | $(val "$b" drag_redraws) / $(val "$b" drag_stale_redraws), $(fmt "$(val "$b" drag_lag_ms_max)") | — | — | no redraw queued behind another | $(yesno "$(val "$b" drag_stale_redraws) == 0") |"
    echo "| 6a. Peak RSS (VmHWM) after 10 virtual minutes of play, MB | $(fmt "$(awk -v v="$hwm" 'BEGIN {print v/1024}')") | $(fmt "$(awk -v v="$mhwm" 'BEGIN {print v/1024}')") (minimal window) | +$(fmt "$(awk -v a="$hwm" -v b="$mhwm" 'BEGIN {print (a-b)/1024}')") MB | ≤ floor + 25 MB | $(yesno "$hwm - $mhwm <= 25 * 1024") |"
    echo "| 6b. VmRSS at virtual minute 5 → minute 10, MB (heap in use) | $(fmt "$(awk -v v="$r5" 'BEGIN {print v/1024}')") → $(fmt "$(awk -v v="$r10" 'BEGIN {print v/1024}')") ($(fmt "$(awk -v v="$(val "$m" memory_heap5_kb)" 'BEGIN {print v/1024}')") → $(fmt "$(awk -v v="$(val "$m" memory_heap10_kb)" 'BEGIN {print v/1024}')")) | — | $(fmt "$(awk -v a="$r10" -v b="$r5" 'BEGIN {print (a-b)/1024}')" 2) MB | no growth (under 1 MB) | $(yesno "$r10 - $r5 < 1024") |"
    echo
    echo "![Timer lateness per tick](timer-jitter.png)"
    echo
    echo "## Details"
    echo
    echo "- Idle wake-ups a second per thread: game $(val "$i" idle_game_threads); the same prompt alone $(val "$i" idle_floor_threads); one 1 ms QTimer $(val "$i" idle_baseline_threads)."
    echo "- Start-up floors: an empty main window $(fmt "$(val "$s" startup_minimal_median_ms)") ms; the same window holding one line of text (so that fonts load) $(fmt "$(val "$s" startup_text_median_ms)") ms; the game's first prompt alone $(fmt "$sm") ms. The game is $(ratio "$sg" "$(val "$s" startup_minimal_median_ms)") the empty window."
    local eq=0 k
    for k in $(grep -o '^backdrop_[^=]*_shown_equals_scaled=1' "$b" 2>/dev/null); do eq=$((eq + 1)); done
    echo "- Backdrop: what the area paints behind the windows equals the stretch of the photograph, each pixel taken from the photograph pixel under its centre, in $eq of 9 cases (checked pixel for pixel)."
    echo "- Backdrop, each redraw split into the game's handler (stretch and new area background) and the"
    echo "  repaint on the screen, medians:"
    for photo in 2mp 12mp 24mp; do
      echo "  ${photo^^} photo (decoded in $(fmt "$(val "$b" "backdrop_${photo}_decode_ms")") ms at start):$(for area in 1280x800 1920x1080 3840x2160; do
        k="backdrop_${photo}_${area}"
        printf ' %s handler %s + paint %s, QPainter::drawImage %s;' "$area" "$(fmt "$(val "$b" "${k}_handler_p50")")" "$(fmt "$(val "$b" "${k}_paint_p50")")" "$(fmt "$(val "$b" "${k}_drawimage_p50")")"
      done)"
    done
    echo "- Drag: $(val "$b" drag_requests) resize requests, $(val "$b" drag_redraws) redraws run; redraw (handler and repaint) p50 $(fmt "$(val "$b" drag_redraw_ms_p50)") ms, max $(fmt "$(val "$b" drag_redraw_ms_max)") ms; lag from a request to the screen showing it (or a later size) p50 $(fmt "$(val "$b" drag_lag_ms_p50)") ms, max $(fmt "$(val "$b" drag_lag_ms_max)") ms, last $(fmt "$(val "$b" drag_last_lag_ms)") ms."
    echo "- Key delivery, from the X server's key event to the program: game p50 $(fmt "$(val "$lg" delivery_p50)") ms, p99 $(fmt "$(val "$lg" delivery_p99)") ms; baseline p50 $(fmt "$(val "$lb" delivery_p50)") ms. Failed samples: game $(val "$lg" failures), baseline $(val "$lb" failures)."
    echo "- Timers: ticks more than a period late (Qt then restarts the interval): game $(val "$tg" game_reanchored), baseline $(val "$tb" baseline_reanchored)."
    echo "- Memory: $(val "$m" memory_moves) random moves in $(fmt "$(val "$m" memory_real_s)") s of real time, $(val "$m" memory_games_restarted) games started again after a bankruptcy. Resident at the end, game / minimal window, MB: anonymous $(fmt "$(awk -v v="$(val "$m" memory_anon_kb)" 'BEGIN {print v/1024}')") / $(fmt "$(awk -v v="$(val "$mm" minimal_anon_kb)" 'BEGIN {print v/1024}')"), file-backed (libraries, fonts) $(fmt "$(awk -v v="$(val "$m" memory_file_kb)" 'BEGIN {print v/1024}')") / $(fmt "$(awk -v v="$(val "$mm" minimal_file_kb)" 'BEGIN {print v/1024}')"), shared (the window's image shared with the X server) $(fmt "$(awk -v v="$(val "$m" memory_shmem_kb)" 'BEGIN {print v/1024}')") / $(fmt "$(awk -v v="$(val "$mm" minimal_shmem_kb)" 'BEGIN {print v/1024}')"). VmRSS / heap in use each virtual minute, MB: $(val "$m" memory_per_minute_rss_heap_mb)."
    echo
    cat "$ROOT/bench/method.md"
    if [[ -f $ROOT/bench/changes.md ]]; then
      echo
      cat "$ROOT/bench/changes.md"
    fi
  } >"$REPORT"
  log "wrote $REPORT and $CHART"
}

log "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
for step in "${STEPS[@]}"; do
  declare -F "step_$step" >/dev/null || die "no step '$step' (steps: ${ALL_STEPS[*]})"
done
measuring=0
for step in "${STEPS[@]}"; do
  [[ $step == build || $step == report ]] || measuring=1
done
if ((measuring)); then
  {
    echo "run_started=$(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)"
    echo "steps=${STEPS[*]}"
  } >"$OUT/run.txt"
fi
for step in "${STEPS[@]}"; do
  "step_$step"
  if [[ $step != build && $step != report ]]; then
    sed -i '/^load_at_end=/d' "$OUT/run.txt"
    echo "load_at_end=$(cut -d' ' -f1-3 /proc/loadavg)" >>"$OUT/run.txt"
  fi
done
