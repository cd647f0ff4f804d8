#!/usr/bin/env bash
# End-to-end figures of the built game, as a player's pipe sees it:
#   bench/e2e.sh [BUILD_DIR]        (default build/default; run `make` first)
# For games of 1,000 and 100,000 scripted turns: time per turn, write system
# calls and heap allocations per turn after start-up, peak resident memory,
# and the time per turn of the floor, a program that replays the game's
# recorded writes with no game behind them. Then start-up, `echo n | match3`,
# beside the floor replaying the same first screen.
set -euo pipefail
build=${1:-build/default}
here=$(cd "$(dirname "$0")" && pwd)
game=$build/match3
probe=$(cd "$build/bench" && pwd)/libmatch3_probe.so
replay=$build/bench/match3_replay
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A fixed clock: every run plays the same game. With this clock, script seed
# 3 and one real move in a hundred turns, the game lasts all 100,000 turns.
clock=1700000000
script_seed=3
moves=1

now() { date +%s%N; }

# Best of five wall-clock times, in seconds, of the command in "$@".
best_of_five() {
  local best=
  for _ in 1 2 3 4 5; do
    local start end
    start=$(now)
    "$@"
    end=$(now)
    local took=$((end - start))
    if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.6f", ns / 1e9 }'
}

# Both write to /dev/null: a pipe to a reader adds the scheduling of a second
# process, which on two cores swings the figures by a factor of two.
play() {  # play INPUT: the answers through a pipe
  cat "$1" | LD_PRELOAD=$probe MATCH3_PROBE_TIME=$clock "$game" >/dev/null
}

floor() {  # floor RECORD: the recorded writes, through the same preloaded probe
  local seconds
  seconds=$({ LD_PRELOAD=$probe "$replay" "$1" >/dev/null; } 2>&1)
  echo "$seconds"
}

# Start-up: the first screen and the farewell.
echo n | LD_PRELOAD=$probe MATCH3_PROBE_TIME=$clock MATCH3_PROBE_RECORD="$work/start" "$game" >/dev/null
runs=300
start_game() { for _ in $(seq $runs); do echo n | "$game" >/dev/null; done; }
start_floor() { for _ in $(seq $runs); do echo n | "$replay" "$work/start" >/dev/null 2>&1; done; }
g=$(best_of_five start_game)
f=$(best_of_five start_floor)
awk -v g="$g" -v f="$f" -v r="$runs" 'BEGIN {
  printf "start-up (echo n | match3): game %.0f us, floor %.0f us, ratio %.2f\n", g * 1e6 / r, f * 1e6 / r, g / f
}'
# What a run spends before its first turn, with the probe loaded as in the
# runs below; taken off their time.
start_probed() {
  for _ in $(seq $runs); do echo n | LD_PRELOAD=$probe MATCH3_PROBE_TIME=$clock "$game" >/dev/null; done
}
startup_seconds=$(awk -v g="$(best_of_five start_probed)" -v r="$runs" 'BEGIN { print g / r }')

declare -A turns writes allocations
printf '%-8s %7s %12s %12s %10s %14s %9s\n' turns played "game us/turn" "floor us/turn" ratio \
  "peak RSS KiB" "writes/turn"
for n in 1000 100000; do
  "$here/../tools/scripted-game" "$n" "$script_seed" "$moves" >"$work/input"
  LD_PRELOAD=$probe MATCH3_PROBE_TIME=$clock MATCH3_PROBE_RECORD="$work/record" \
    MATCH3_PROBE_REPORT="$work/report" "$game" <"$work/input" >"$work/output"
  played=$(grep -ac 'enter y/n' "$work/output")
  read -r _ w _ a <"$work/report"
  turns[$n]=$played writes[$n]=$w allocations[$n]=$a
  peak=$( { /usr/bin/time -f '%M' env LD_PRELOAD="$probe" MATCH3_PROBE_TIME=$clock \
            "$game" <"$work/input" >/dev/null; } 2>&1 )
  game_seconds=$(best_of_five play "$work/input")
  floor_seconds=1000
  for _ in 1 2 3 4 5; do
    s=$(floor "$work/record")
    floor_seconds=$(awk -v a="$s" -v b="$floor_seconds" 'BEGIN { print (a < b ? a : b) }')
  done
  # The game's time less its start-up, beside the floor's time spent writing.
  awk -v n="$n" -v p="$played" -v g="$game_seconds" -v f="$floor_seconds" -v m="$peak" \
      -v w="$w" -v s="$startup_seconds" 'BEGIN {
    g -= s
    printf "%-8s %7d %12.2f %12.2f %10.2f %14d %9.2f\n", n, p, g * 1e6 / p, f * 1e6 / p, g / f, m, w / p
  }'
done
awk -v t1="${turns[1000]}" -v t2="${turns[100000]}" -v w1="${writes[1000]}" \
    -v w2="${writes[100000]}" -v a1="${allocations[1000]}" -v a2="${allocations[100000]}" 'BEGIN {
  printf "after start-up, per turn: %.2f writes, %.4f heap allocations (%d in the whole short game)\n",
    (w2 - w1) / (t2 - t1), (a2 - a1) / (t2 - t1), a1
}'

