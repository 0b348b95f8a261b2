#!/usr/bin/env bash
# The real program's command line: what each option prints and returns, and that nothing else
# stops or changes the game. The options end the program before its window is made, so they
# must end promptly; a game that starts runs until it is closed, so "plays" means still running
# after a few seconds. Each row runs either on the offscreen platform, or with no display at all
# (over ssh, on a text console, in a build root), where the options must work just the same and
# the game must say in one line why it cannot start, never abort.
# usage: commandline.sh [EMULATOR...] BINARY (a cross-built binary runs under its emulator)
set -euo pipefail
program=("$@")
out=$(mktemp)
nowhere=$(mktemp -d)
trap 'rm -rf "$out" "$nowhere"' EXIT

# where | arguments | exit status, or plays | what its output must hold | lines, if counted
cases=(
    "offscreen|--version|0|Prizewell 1.00"
    "offscreen|-v|0|Prizewell 1.00"
    "offscreen|--help|0|--version"
    "offscreen|-h|0|Usage:"
    "offscreen|--help-all|0|--platform"
    # Qt's own options are the QApplication's, taken before the game's are read.
    "offscreen|-platform offscreen --version|0|Prizewell 1.00"
    "offscreen|answers.txt --version|0|Prizewell 1.00"
    "offscreen|--frobnicate|1|Unknown option 'frobnicate'"
    "offscreen|-x answers.txt|1|Unknown option 'x'"
    "offscreen|answers.txt|plays|"
    "offscreen||plays|"
    "none|--version|0|Prizewell 1.00|1"
    "none|--help|0|--version"
    "none|--help-all|0|--platform"
    "none|-platform xcb --version|0|Prizewell 1.00|1"
    "none|--frobnicate|1|Unknown option 'frobnicate'|1"
    "none||1|Prizewell: cannot start: no display|1"
    "none|answers.txt|1|Prizewell: cannot start: no display|1"
    # A platform named on the command line is tried, as by any Qt program.
    "none|-platform offscreen|plays|"
    "none|-- --version|1|Prizewell: cannot start: no display|1"
    "gone||1|Prizewell: cannot start:|1"
    "gone|--version|0|Prizewell 1.00|1"
    "missing||1|Prizewell: cannot start:|1"
    "missing|--help-all|0|--platform"
)

# run_on WHERE COMMAND...: the offscreen platform, no display of any kind (no X server, no
# Wayland socket, no platform asked for), an X display that is not there, or a platform plugin
# that is not installed.
run_on() {
    local where=$1 display=()
    shift
    [ "$where" != gone ] || display=(DISPLAY=:nowhere)
    if [ "$where" = offscreen ]; then
        QT_QPA_PLATFORM=offscreen "$@"
    elif [ "$where" = missing ]; then
        QT_QPA_PLATFORM=no-such-platform "$@"
    else
        env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM \
            -u XDG_SESSION_TYPE XDG_RUNTIME_DIR="$nowhere" "${display[@]}" "$@"
    fi
}

failed=0
for row in "${cases[@]}"; do
    IFS='|' read -r where arguments want text lines <<<"$row"
    read -ra args <<<"$arguments"
    status=0
    if [ "$want" = plays ]; then
        run_on "$where" timeout 3 "${program[@]}" "${args[@]}" >"$out" 2>&1 || status=$?
        [ "$status" -eq 124 ] || status="ended with $status"
        want=124
    else
        run_on "$where" timeout 20 "${program[@]}" "${args[@]}" >"$out" 2>&1 || status=$?
    fi
    # An empty pattern asks for nothing, not for a line: a quiet game prints none.
    if [ "$status" != "$want" ] || { [ -n "$text" ] && ! grep -qF -- "$text" "$out"; } ||
        { [ -n "$lines" ] && [ "$(wc -l <"$out")" -ne "$lines" ]; }; then
        echo "FAIL: prizewell $arguments ($where): status $status, wanted $want and" \
            "'$text' in ${lines:-any number of} lines of:" >&2
        cat "$out" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "command line: ${#cases[@]} cases as expected"
exit "$failed"
