#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine: CMake's emulator for the Windows tree.
#   wine.sh PROGRAM.exe [ARGS...]
# Only in the prefix named by WINEPREFIX, never the user's own: a test makes its own with
# prefix.sh. PRIZEWELL_WINE_DLL_PATH (folders, colon-separated) is where the DLLs the program
# links are found, as a Windows PATH would find them.
set -euo pipefail
[ -n "${WINEPREFIX:-}" ] || { echo "wine.sh: WINEPREFIX is not set" >&2; exit 2; }
if [ -n "${PRIZEWELL_WINE_DLL_PATH:-}" ]; then
    # Wine's drive Z: is the Unix root.
    WINEPATH=$(tr ':' '\n' <<<"$PRIZEWELL_WINE_DLL_PATH" | sed 's|^|Z:|; s|/|\\|g' | paste -sd';')
    export WINEPATH
fi
# Qt writes its messages, and testlib its report, to the debugger where no console is attached,
# as under Wine: to stderr and stdout instead.
export QT_FORCE_STDERR_LOGGING=${QT_FORCE_STDERR_LOGGING:-1}
# Wine keeps the caller's QT_* variables from Windows programs, lest a Linux desktop's Qt
# settings leak into them, but hands on WINEQT_* as QT_*: the platform and scale a caller names
# reach the program.
while IFS='=' read -r name _; do
    export "WINE$name=${!name}"
done < <(env | grep '^QT_[A-Z_]*=' || true)
# Quiet, and no offer to download Mono or Gecko into a throwaway prefix.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
