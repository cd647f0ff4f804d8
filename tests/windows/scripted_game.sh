#!/bin/sh
# Plays a short game with the Windows program under wine, through a pipe.
# The Windows program ends its lines as Windows programs do, with CR LF:
# every LF has a CR before it and no other CR appears. Without the CRs, the
# output is the game's texts byte for byte, the boards and the scores aside
# (the Windows C library draws other random numbers), as in
# scripted_game.expected.
#   scripted_game.sh PROGRAM.exe
set -eu
program=${1:?usage: scripted_game.sh PROGRAM.exe}
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp)
trap 'rm -f "$out" "$out.lf"' EXIT
printf 'y\ny\n3 4\nr\ny\n10 1\nu\nn\n' | "$here/../../tools/at-fixed-clock" wine "$program" >"$out"
fail() { echo "windows game: $1"; od -c "$out" | head -40; exit 1; }

export LC_ALL=C
cr=$(tr -cd '\r' <"$out" | wc -c)
lf=$(tr -cd '\n' <"$out" | wc -c)
crlf=$(grep -c "$(printf '\r')\$" "$out" || true)
[ "$lf" -gt 0 ] && [ "$cr" -eq "$lf" ] && [ "$crlf" -eq "$lf" ] ||
  fail "expected CR LF line ends only: $lf LF, $cr CR, $crlf CR LF"
tr -d '\r' <"$out" | sed -E 's/^([A-I] ){10}$/ROW/; s/(your score: )[0-9]+$/\1N/' >"$out.lf"
cmp "$out.lf" "$here/scripted_game.expected" || {
  diff "$out.lf" "$here/scripted_game.expected" | head -20
  fail "the texts differ from scripted_game.expected"
}
if grep -q "$(printf '\033')" "$out"; then fail "control sequences in a pipe"; fi
echo "windows game: $lf lines, each ending in CR LF, the texts as expected"
