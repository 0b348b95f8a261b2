#!/usr/bin/env bash
# Checks a build of the Debian packages without installing them: what the game's .deb holds,
# what it depends on, its desktop entry and metainfo as unpacked into a temporary folder, the
# program's hardening, blhc's reading of the build log, and lintian's verdict on everything the
# .changes lists. It installs and removes nothing, so a player's installed copy is left alone;
# installing the package and starting it happen in a throwaway root, in
# scripts/fresh-root-check.sh.
# usage: deb-check.sh PACKAGE.changes BUILD.log   (the log is dpkg-buildpackage's output)
set -euo pipefail
changes=$(realpath "$1")
build_log=$2
deb=$(dcmd --deb "$changes" | grep '/prizewell_[^/]*\.deb$')
id=io.prizewell.Prizewell
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ "$(dpkg-deb -f "$deb" Package)" = prizewell ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
dpkg-deb -c "$deb" | awk '{print $6}' | sort
dpkg-deb -x "$deb" "$tmp"

for f in usr/games/prizewell \
    usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/16x16/apps/$id.png \
    usr/share/icons/hicolor/32x32/apps/$id.png \
    usr/share/man/man6/prizewell.6.gz \
    usr/share/doc/prizewell/copyright \
    usr/share/doc/prizewell/changelog.gz; do
    [ -s "$tmp/$f" ] || fail "$f not in the package"
done
[ -x "$tmp/usr/games/prizewell" ] || fail "prizewell is not executable"

# The libraries' packages are dh_shlibdeps' to name (lintian fails a package without them, and
# autopkgtest starts the game where nothing else is installed); the faces the windows are laid
# out for are ours.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -Eq '(^|, )fonts-liberation2( |,|$)' <<<"$depends" || fail "no dependency on fonts-liberation2"

desktop-file-validate "$tmp/usr/share/applications/$id.desktop"
# Started by name from Debian's PATH, which has /usr/games.
grep -qx "Exec=prizewell" "$tmp/usr/share/applications/$id.desktop" || fail "desktop entry Exec"
grep -qx "Icon=$id" "$tmp/usr/share/applications/$id.desktop" || fail "desktop entry Icon"
appstreamcli validate --no-net "$tmp/usr/share/metainfo/$id.metainfo.xml"
# The manual page teaches the game as the README does: every control the README's "How to play"
# names, the manual page names too.
man=$(zcat "$tmp/usr/share/man/man6/prizewell.6.gz")
sed -n '/^## How to play/,/^## /p' "$(dirname "$0")/../../README.md" | grep -o '\*\*[^*]*\*\*' |
    tr -d '*' | while read -r control; do
    grep -qF -- "$control" <<<"$man" || fail "the manual page does not name $control"
done
# A new version needs its changelog entry: the newest must name the package's version.
[ "$(dpkg-parsechangelog -l "$tmp/usr/share/doc/prizewell/changelog.gz" -S Version)" = \
    "$(dpkg-deb -f "$deb" Version)" ] || fail "the changelog's newest entry is not this version"

# The program as shipped, built with the distribution's hardening. Debian 12's C start files
# carry no control-flow protection, so no program linked there can have it: not asked for.
not_asked=(--nocfprotection)
# Branch protection (BTI, PAC) is arm64's. Debian 13's hardening-check asks for it on every
# architecture, and even its own /usr/bin/ls fails there on amd64. Debian 12's has no such check.
if [ "$(dpkg --print-architecture)" != arm64 ] &&
    [[ $(hardening-check --help 2>&1) == *--nobranchprotection* ]]; then
    not_asked+=(--nobranchprotection)
fi
hardening-check "${not_asked[@]}" "$tmp/usr/games/prizewell" || fail "hardening-check"
# Every compile and link line of the build with every hardening flag, PIE and bindnow included;
# blhc names the flag and the line when one lacks it.
blhc --all "$build_log" || fail "blhc: a build line lacks a hardening flag"

# Debian's own checker, on the package, its debugging symbols and the build's record: no error
# and no warning. Information tags are shown, not failed on.
[[ $(dcmd --deb "$changes") == */prizewell-dbgsym_* ]] || fail "no -dbgsym package was built"
{ lintian --display-info "$changes" 2>&1 || true; } |
    sed '/^running with root privileges/d' | tee "$tmp/lintian"
! grep -Eq '^[EW]: ' "$tmp/lintian" || fail "lintian: errors or warnings"

echo "package check: contents, Depends, desktop entry, metainfo, hardening, blhc and lintian pass;"
echo "package check: nothing was installed."
echo "package check: installing the package and starting it is not done here: that check is in"
echo "scripts/fresh-root-check.sh (opt-in, needs root; runs in throwaway Debian 12 and 13 roots)."
