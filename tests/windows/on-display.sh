#!/usr/bin/env bash
# Runs a command on a private Xvfb display of its own, removed afterwards: for the Windows tests
# that need Wine's real windows rather than Qt's offscreen platform.
#   on-display.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/xsession.sh
. "$here/../e2e/xsession.sh"
# Wine's programs in the prefix keep their connection to the display: they end before it does.
stop() {
    [ -z "${WINEPREFIX:-}" ] || wineserver --kill 2>/dev/null || true
    stop_all
}
trap stop EXIT
start_display
"$@"
