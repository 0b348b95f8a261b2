#!/usr/bin/env bash
# Runs a11y_play.py against the real program on a private Xvfb display and session bus.
# usage: dbus-run-session -- a11y_play.sh BINARY
set -euo pipefail
here=$(dirname "$(realpath "$0")")
# shellcheck source=xsession.sh
. "$here/xsession.sh"
trap stop_all EXIT
start_display
/usr/bin/python3 "$here/a11y_play.py" "$(realpath "$1")"
