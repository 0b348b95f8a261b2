#!/usr/bin/env bash
# Runs a11y_play.py against the real program on a private Xvfb display and session bus.
# usage: dbus-run-session -- a11y_play.sh BINARY
set -euo pipefail
here=$(dirname "$(realpath "$0")")
# shellcheck source=xsession.sh
. "$here/xsession.sh"
trap stop_all EXIT
start_display
# The accessibility bus is started on demand by this session's bus: give it this display, not
# whatever DISPLAY the caller had.
dbus-update-activation-environment DISPLAY
/usr/bin/python3 "$here/a11y_play.py" "$(realpath "$1")"
