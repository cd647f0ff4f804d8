#!/usr/bin/env bash
# Unpacks a package, the Debian one or the RPM, checks that it holds what a
# system and its desktop expect, plays a short game with the unpacked
# program and asks the family's linter for its verdict.
#   tests/package_check.sh PACKAGE.deb
#   tests/package_check.sh PACKAGE.rpm
set -euo pipefail
package=$(realpath "${1:?usage: package_check.sh PACKAGE.deb|PACKAGE.rpm}")
here="$(cd "$(dirname "$0")" && pwd)"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "package: $*"; exit 1; }

# What differs between the two families: how to unpack, where the game
# lives, where the licence is, and the linter.
case "$package" in
  *.deb)
    dpkg-deb -x "$package" "$root"
    game=usr/games/match3
    licence=usr/share/doc/match3/copyright
    lint=(lintian --fail-on error --display-info "$package") ;;
  *.rpm)
    (cd "$root" && rpm2cpio "$package" | cpio -idm --quiet)
    game=usr/bin/match3
    licence=usr/share/licenses/match3/LICENSE
    lint=(rpmlint -c "$here/rpmlint.toml" "$package") ;;
  *) fail "$package is neither a .deb nor an .rpm" ;;
esac

desktop=usr/share/applications/match3.desktop
metainfo=usr/share/metainfo/invalid.example.match3.metainfo.xml
for file in "$game" usr/share/man/man6/match3.6.gz usr/share/man/ru/man6/match3.6.gz usr/share/doc/match3/README.md "$licence" \
            "$desktop" "$metainfo" usr/share/icons/hicolor/48x48/apps/match3.png \
            usr/share/icons/hicolor/128x128/apps/match3.png; do
  [ -e "$root/$file" ] || fail "$file is missing"
done

# The menu's entry starts the game where the package put it, in a terminal;
# a software centre lists a desktop application launched by that entry, of
# the release the changelog names.
desktop-file-validate "$root/$desktop" || fail "desktop-file-validate: $desktop"
command=$(sed -n 's/^Exec=//p' "$root/$desktop" | sed 's/%%/%/g')
[[ $command == "sh -c \"/$game; "* && $command != *[\$\`\\]* ]] ||
  fail "the desktop entry does not start /$game as a plain shell command: $command"
verdict=$(appstreamcli validate --no-net "$root/$metainfo") || fail "appstreamcli: $verdict"
if grep -E '^[EW]:' <<<"$verdict"; then fail "appstreamcli warns"; fi
for tag in '<component type="desktop-application">' '<launchable type="desktop-id">match3.desktop</launchable>' \
           '<name xml:lang="ru">' '<summary xml:lang="ru">' '<p xml:lang="ru">'; do
  grep -q -F "$tag" "$root/$metainfo" || fail "the metadata lacks $tag"
done
changelog=$(sed -n '1s/.*(\(.*\)).*/\1/p' "$here/../docs/debian/changelog")
grep -q "<release version=\"$changelog\"" "$root/$metainfo" ||
  fail "the metadata's release is not the changelog's $changelog"
if [[ $package == *.rpm ]]; then # its changelog is Debian's, item for item
  [ "$(sed -n 's/^  \* /- /p' "$here/../docs/debian/changelog")" = "$(rpm -qp --changelog "$package" | grep '^- ')" ] &&
    rpm -qp --changelog "$package" | head -1 | grep -q -- "- $changelog-" || fail "the RPM's changelog is not Debian's"
fi
for size in 48 128; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/match3.png" | grep -q "$size x $size" ||
    fail "the ${size}x${size} icon is another size"
done

status=0
clock="$here/../tools/at-fixed-clock"
printf 'y\ny\n3 4\nr\ny\n10 1\nu\nn\n' | "$clock" "$root/$game" >"$root/output" || status=$?
[ "$status" -eq 0 ] || fail "the game exited with $status"
grep -a -q 'Thanks for playing' "$root/output" || fail "no farewell"
! grep -a -q 'Press Enter' "$root/output" || fail "the game itself waits at its end"

# Started as the menu starts it, on a terminal: after the farewell the
# window waits for Enter (here two seconds later) before it closes.
started=$(date +%s)
{ printf 'n\n'; sleep 2; printf '\n'; } |
  script -qec "${command//\/$game/$root/$game}" /dev/null >"$root/window" || fail "the entry's command failed"
grep -a -q 'Thanks for playing.*Press Enter to close the window' <(tr -d '\r\n' <"$root/window") ||
  fail "no line after the farewell: $(tail -c 200 "$root/window")"
[ $(($(date +%s) - started)) -ge 2 ] || fail "the window did not wait for Enter"
echo "package: unpacked, played $(grep -a -c 'enter y/n' "$root/output") turns, exit status 0"
"${lint[@]}"
echo "package: ${lint[0]} reports no errors"
