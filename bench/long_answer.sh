#!/usr/bin/env bash
# Peak memory with an answer of SIZE bytes (1 GB by default) at each
# question, beside a short game's: the game keeps a few bytes of any word
# or number, so every peak should be the short game's.
#   bench/long_answer.sh PROGRAM [SIZE]
set -euo pipefail
program=${1:?usage: long_answer.sh PROGRAM [SIZE]}
size=${2:-1000000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME BEFORE FILLER AFTER: the answers BEFORE, SIZE times FILLER, AFTER.
run() {
  local name=$1 before=$2 filler=$3 after=$4
  { printf '%b' "$before"; head -c "$size" /dev/zero | tr '\0' "$filler"; printf '%b' "$after"; } |
    /usr/bin/time -f '%M %e %x' -o "$work/time" "$program" >/dev/null
  read -r peak seconds status <"$work/time"
  printf '%-28s peak RSS %7s KiB  %7s s  exit %s\n' "$name" "$peak" "$seconds" "$status"
}

printf 'y\ny\n1 1\nx\nn\n' | /usr/bin/time -f '%M %e %x' -o "$work/time" "$program" >/dev/null
read -r peak seconds status <"$work/time"
printf '%-28s peak RSS %7s KiB  %7s s  exit %s\n' "short game" "$peak" "$seconds" "$status"
run "word at the start question" "" y '\nn\n'
run "word at the play question" 'y\n' y '\nn\n'
run "number at X" 'y\ny\n' 7 ' 1\nr\nn\n'
run "word at the direction" 'y\ny\n1 1\n' r '\nn\n'
