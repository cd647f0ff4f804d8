#!/usr/bin/env bash
# Soak: a game of a million turns through a pipe, beside one of a thousand.
# Reports for each the turns played, the exit status, the peak resident
# memory and the time per turn; the two peaks must agree within 2%.
#   bench/soak.sh PROGRAM [LONG_TURNS]
set -euo pipefail
program=${1:?usage: soak.sh PROGRAM [LONG_TURNS]}
long=${2:-1000000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Turns that draw, clear and scan but leave the board as it is, so the game
# lasts as long as the script (see tools/scripted-game).
soak() {
  local turns=$1
  "$here/../tools/scripted-game" "$turns" 1 0 >"$work/input"
  local played
  played=$(/usr/bin/time -f '%M %e %x' -o "$work/time" "$program" <"$work/input" |
           grep -ac 'enter y/n') || true
  read -r peak seconds status <"$work/time"
  local per_turn
  per_turn=$(awk -v s="$seconds" -v t="$played" 'BEGIN { printf "%.2f", t ? s * 1e6 / t : 0 }')
  printf '%-10s turns played %-9s exit %-3s peak RSS %6s KiB  %8s s  %s us/turn\n' \
    "$turns" "$played" "$status" "$peak" "$seconds" "$per_turn"
  eval "peak_$2=$peak status_$2=$status"
}

soak 1000 short
soak "$long" long
awk -v a="$peak_short" -v b="$peak_long" 'BEGIN {
  d = (b - a) / a * 100; if (d < 0) d = -d
  printf "peak RSS difference: %.2f%% (limit 2%%)\n", d
  exit (d > 2)
}'
[ "$status_short" = 0 ] && [ "$status_long" = 0 ]
