#!/usr/bin/env bash
# Screenshot of the real main window under Xvfb, for the README and docs/.
# usage: dbus-run-session -- scripts/screenshot.sh BINARY OUT.png [SCALE]
set -euo pipefail
# shellcheck source=../tests/e2e/xsession.sh
. "$(dirname "$(realpath "$0")")/../tests/e2e/xsession.sh"

binary=$(realpath "$1")
out=$2
scale=${3:-1}

trap stop_all EXIT
start_display
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$binary" &
GAME_PID=$!
wait_for 20 has_windows Prizewell 1 || fail "main window did not appear"
sleep 1 # let the first paint land
import -silent -window "$(windows_named Prizewell)" "$out"
