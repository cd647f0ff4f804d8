#!/usr/bin/env bash
# A scripted game of TURNS turns under valgrind: any memory error, or any
# block definitely or indirectly lost, fails.
#   tests/memcheck.sh PROGRAM [TURNS]
set -euo pipefail
program=${1:?usage: memcheck.sh PROGRAM [TURNS]}
turns=${2:-1000}
here=$(cd "$(dirname "$0")" && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Two turns in a hundred move a tile: enough to clear and refill, few enough
# that the game rarely runs out of moves before the script ends.
# A turn played asks for its tile once: the play question is asked once
# more, for the answer that ends the game.
played=$("$here/../tools/scripted-game" "$turns" 7 2 |
  valgrind --quiet --error-exitcode=1 --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --log-file="$log" "$program" |
  grep -ac 'enter cordination') || {
  cat "$log"
  exit 1
}
cat "$log"
echo "memcheck: $played turns played of $turns scripted, no errors, nothing lost"
