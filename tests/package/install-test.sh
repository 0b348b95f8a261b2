#!/usr/bin/env bash
# Installs the .deb on this machine, validates what it put there, starts the installed program
# under Xvfb and quits it, then removes the package again.
# usage: install-test.sh PACKAGE.deb     (as root, or with sudo)
set -euo pipefail
here=$(dirname "$(realpath "$0")")
deb=$(realpath "$1")
id=io.prizewell.Prizewell
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

cleanup() { "${sudo[@]}" dpkg -r prizewell >/dev/null 2>&1 || true; }
trap cleanup EXIT

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
dpkg -L prizewell | sort

for f in /usr/bin/prizewell \
    /usr/share/applications/$id.desktop \
    /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/$id.png \
    /usr/share/icons/hicolor/32x32/apps/$id.png; do
    [ -e "$f" ] || { echo "FAIL: $f not installed" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "FAIL: no Qt dependency" >&2; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation2' || { echo "FAIL: no font dependency" >&2; exit 1; }

desktop-file-validate /usr/share/applications/$id.desktop
appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml

# The installed program starts, can be played to a loss and quits with status 0.
dbus-run-session -- bash "$here/../e2e/play.sh" /usr/bin/prizewell lose
echo "package test: installed, validated, started and quit"
