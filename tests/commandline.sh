#!/usr/bin/env bash
# The real program's command line on the offscreen platform: what each option prints and
# returns, and that nothing else stops or changes the game. The options end the program before
# its window is made, so they must end promptly; a game that starts runs until it is closed, so
# "plays" means still running after a few seconds.
# usage: commandline.sh BINARY
set -euo pipefail
binary=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT
export QT_QPA_PLATFORM=offscreen

# arguments | exit status, or plays | what its output must hold
cases=(
    "--version|0|Prizewell 1.00"
    "-v|0|Prizewell 1.00"
    "--help|0|--version"
    "-h|0|Usage:"
    "--help-all|0|--platform"
    # Qt's own options are the QApplication's, taken before the game's are read.
    "-platform offscreen --version|0|Prizewell 1.00"
    "answers.txt --version|0|Prizewell 1.00"
    "--frobnicate|1|Unknown option 'frobnicate'"
    "-x answers.txt|1|Unknown option 'x'"
    "answers.txt|plays|"
    "|plays|"
)

failed=0
for row in "${cases[@]}"; do
    IFS='|' read -r arguments want text <<<"$row"
    read -ra args <<<"$arguments"
    status=0
    if [ "$want" = plays ]; then
        timeout 3 "$binary" "${args[@]}" >"$out" 2>&1 || status=$?
        [ "$status" -eq 124 ] || status="ended with $status"
        want=124
    else
        timeout 20 "$binary" "${args[@]}" >"$out" 2>&1 || status=$?
    fi
    # An empty pattern asks for nothing, not for a line: a quiet game prints none.
    if [ "$status" != "$want" ] || { [ -n "$text" ] && ! grep -qF -- "$text" "$out"; }; then
        echo "FAIL: prizewell $arguments: status $status, wanted $want and '$text' in:" >&2
        cat "$out" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "command line: ${#cases[@]} cases as expected"
exit "$failed"
