#!/usr/bin/env bash
# Unpacks the Windows zip into a fresh folder, checks that it holds what a
# Windows user reads and nothing else, and plays a short game with the
# unpacked match3.exe under wine.
#   tests/windows/package_check.sh match3-VERSION-win64.zip
set -euo pipefail
zip=$(realpath "${1:?usage: package_check.sh PACKAGE.zip}")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "windows package: $*"; exit 1; }
(cd "$root" && cmake -E tar xf "$zip")
folder=$(basename "$zip" .zip)
here=$(cd "$(dirname "$0")/../.." && pwd)

files=$(cd "$root/$folder" && find . -type f | sed 's|^\./||' | sort | xargs)
[ "$files" = "LICENSE.txt README.txt match3.exe match3.ru.txt match3.txt" ] || fail "the zip holds $files"
# Windows text: every line ends in CR LF (and no CR stands alone), the
# manual is plain ASCII (the Russian one UTF-8), without the POSIX tools it
# names at home.
export LC_ALL=C
for text in LICENSE.txt README.txt match3.txt match3.ru.txt; do
  [ "$(tr -cd '\r' <"$root/$folder/$text" | wc -c)" -eq "$(grep -c $'\r$' "$root/$folder/$text")" ] &&
    ! grep -q -v $'\r$' "$root/$folder/$text" || fail "$text: not CR LF line ends"
done
! grep -q -P '[^\x00-\x7f]' "$root/$folder/match3.txt" || fail "match3.txt is not ASCII"
iconv -f UTF-8 -t UTF-8 "$root/$folder/match3.ru.txt" >/dev/null && grep -q 'ОПИСАНИЕ' "$root/$folder/match3.ru.txt" ||
  fail "match3.ru.txt is not the Russian manual in UTF-8"
! grep -q -E 'iconv|tmux|SIGHUP|LC_ALL' "$root/$folder"/match3{,.ru}.txt || fail "a manual names POSIX things"
# The changelog's version in the README and the program, which has its
# icon (an icon and a group of icons) and its version information.
version=$(sed -n '1s/.*(\(.*\)).*/\1/p' "$here/docs/debian/changelog")
grep -q "match3 $version for Windows" "$root/$folder/README.txt" || fail "README.txt is not of version $version"
strings -e l "$root/$folder/match3.exe" | grep -q -x "$version" || fail "match3.exe is not of version $version"
resources=$(x86_64-w64-mingw32-objdump -p "$root/$folder/match3.exe" | sed -n '/Resource Directory section/,$p')
for type in 0x000003 0x00000e 0x000010; do
  grep -q "Entry: ID: $type," <<<"$resources" || fail "match3.exe has no resource of type $type"
done

status=0
printf 'y\ny\n3 4\nr\ny\n10 1\nu\nn\n' | "$here/tools/at-fixed-clock" wine "$root/$folder/match3.exe" >"$root/output" ||
  status=$?
[ "$status" -eq 0 ] || fail "the game exited with $status"
grep -a -q "Thanks for playing" "$root/output" || fail "no farewell"
echo "windows package: $files unpacked; played" \
     "$(grep -a -c 'enter y/n' "$root/output") turns with the unpacked match3.exe, exit status 0"
