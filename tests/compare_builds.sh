#!/usr/bin/env bash
# Plays the same random, partly hostile scripts with two builds of the game,
# with the clock frozen so that both draw the same boards, and fails on the
# first game whose output differs by a byte.
#   tests/compare_builds.sh PROGRAM_A PROGRAM_B [GAMES]
# Needs faketime.
set -euo pipefail
first=${1:?usage: compare_builds.sh PROGRAM_A PROGRAM_B [GAMES]}
second=${2:?usage: compare_builds.sh PROGRAM_A PROGRAM_B [GAMES]}
games=${3:-300}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bytes=0
for seed in $(seq 1 "$games"); do
  "$here/../tools/random-answers" "$seed" >"$work/input"
  # A clock stopped at a time of its own for each game: a seed of its own.
  clock=$(printf '2026-01-01 %02d:%02d:%02d' $((seed / 3600 % 24)) $((seed / 60 % 60)) $((seed % 60)))
  faketime -f "$clock" "$first" <"$work/input" >"$work/first"
  faketime -f "$clock" "$second" <"$work/input" >"$work/second"
  if ! cmp -s "$work/first" "$work/second"; then
    echo "compare: game $seed differs"
    cmp "$work/first" "$work/second" || true
    exit 1
  fi
  bytes=$((bytes + $(wc -c <"$work/first")))
done
echo "compare: $games games, $bytes bytes of output, identical in both builds"
