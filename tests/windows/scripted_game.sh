#!/bin/sh
# Plays a short game with the Windows program under wine, through a pipe,
# and looks for the boards, the score lines and the Windows-1251 texts with
# the line ends the Windows runtime writes.
#   scripted_game.sh PROGRAM.exe
set -eu
program=${1:?usage: scripted_game.sh PROGRAM.exe}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
printf 'y\ny\n3 4\nr\ny\n10 1\nu\nn\n' | wine "$program" >"$out"
fail() { echo "windows game: $1"; od -c "$out" | head -40; exit 1; }

rows=$(grep -a -c -E "^([A-I] ){10}$(printf '\r')\$" "$out" || true)
[ "$rows" -ge 30 ] || fail "expected at least three boards of ten rows, found $rows rows"
# " ( ваши очки ) your score: " in Windows-1251, then a number.
label=$(printf ' ( \342\340\370\350 \356\367\352\350 ) your score: ')
scores=$(grep -a -F "$label" "$out" | grep -a -c -E "[0-9]$(printf '\r')\$" || true)
[ "$scores" -ge 3 ] || fail "expected a score line under every board, found $scores"
# "Спасибо за игру" in Windows-1251.
grep -a -q "$(printf 'Thanks for playing ( \321\357\340\361\350\341\356 \347\340 \350\343\360\363 )\r')" "$out" ||
  fail "no farewell"
if grep -a -q "$(printf '\033')" "$out"; then fail "control sequences in a pipe"; fi
echo "windows game: $rows board rows, $scores score lines and the farewell as expected"
