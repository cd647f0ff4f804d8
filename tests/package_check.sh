#!/usr/bin/env bash
# Unpacks the Debian package, plays a short game with the unpacked program
# and asks lintian for its verdict.
#   tests/package_check.sh PACKAGE.deb
set -euo pipefail
deb=${1:?usage: package_check.sh PACKAGE.deb}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for file in usr/games/match3 usr/share/man/man6/match3.6.gz usr/share/doc/match3/copyright; do
  [ -e "$root/$file" ] || { echo "package: $file is missing"; exit 1; }
done
status=0
clock="$(cd "$(dirname "$0")/.." && pwd)/tools/at-fixed-clock"
printf 'y\ny\n3 4\nr\ny\n10 1\nu\nn\n' | "$clock" "$root/usr/games/match3" >"$root/output" || status=$?
[ "$status" -eq 0 ] || { echo "package: the game exited with $status"; exit 1; }
grep -a -q 'Thanks for playing' "$root/output" || { echo "package: no farewell"; exit 1; }
echo "package: unpacked, played $(grep -a -c 'enter y/n' "$root/output") turns, exit status 0"
lintian --fail-on error --display-info "$deb"
echo "package: lintian reports no errors"
