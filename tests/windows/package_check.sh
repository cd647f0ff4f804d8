#!/usr/bin/env bash
# Unpacks the Windows zip into a fresh folder and plays a short game with
# the unpacked match3.exe under wine.
#   tests/windows/package_check.sh match3-VERSION-win64.zip
set -euo pipefail
zip=$(realpath "${1:?usage: package_check.sh PACKAGE.zip}")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
(cd "$root" && cmake -E tar xf "$zip")
folder=$(basename "$zip" .zip)
for file in match3.exe README.md LICENSE match3.txt; do
  [ -s "$root/$folder/$file" ] || { echo "windows package: $folder/$file is missing"; exit 1; }
done
# Every file the README links to is in the zip beside it.
for link in $(grep -o -e '](\([^)#:]*\))' -e 'src="[^"#:]*"' "$root/$folder/README.md" |
               sed 's/^](//; s/)$//; s/^src="//; s/"$//' | sort -u); do
  [ -e "$root/$folder/$link" ] || { echo "windows package: README.md links $link, not in the zip"; exit 1; }
done
status=0
clock="$(cd "$(dirname "$0")/../.." && pwd)/tools/at-fixed-clock"
printf 'y\ny\n3 4\nr\ny\n10 1\nu\nn\n' | "$clock" wine "$root/$folder/match3.exe" >"$root/output" || status=$?
[ "$status" -eq 0 ] || { echo "windows package: the game exited with $status"; exit 1; }
grep -a -q "Thanks for playing" "$root/output" || { echo "windows package: no farewell"; exit 1; }
echo "windows package: $(cd "$root/$folder" && echo *) unpacked; played" \
     "$(grep -a -c 'enter y/n' "$root/output") turns with the unpacked match3.exe, exit status 0"
