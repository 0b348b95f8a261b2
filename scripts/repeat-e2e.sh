#!/usr/bin/env bash
# Runs the end-to-end tests of each build tree COUNT times in a row, to show up races between the
# programs they start. Stops at the first failure, naming the repetition, the tree and the tests.
# usage: scripts/repeat-e2e.sh COUNT BUILD_DIR...
set -euo pipefail
count=$1
shift
for i in $(seq "$count"); do
    for build in "$@"; do
        if ! ctest --test-dir "$build" -R '^e2e_' --output-on-failure; then
            failed=$(cut -d: -f2 "$build/Testing/Temporary/LastTestsFailed.log" | tr '\n' ' ')
            echo "FAIL: end-to-end repetition $i of $count in $build: $failed" >&2
            exit 1
        fi
    done
    echo "end-to-end repetition $i of $count passed in $*"
done
