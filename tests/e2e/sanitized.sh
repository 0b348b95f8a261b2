#!/usr/bin/env bash
# Runs one end-to-end test against the sanitizer build. Every report of a sanitized program goes
# to a file of its own, so that none is lost with a program the test killed or whose status it
# does not check: any report fails the test, and is shown under the test's name.
# usage: sanitized.sh NAME COMMAND...
set -uo pipefail
suppressions=$(dirname "$(realpath "$0")")/lsan.supp
name=$1
shift

reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT
# The caller's options come first, so that these win.
# Whole stacks, not the frame-pointer walk, which stops in the first system library built
# without frame pointers: suppressions then match the function that allocated, never a library
# that merely appears on the way.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1:fast_unwind_on_malloc=0:log_path=$reports/asan"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$suppressions:print_suppressions=0"

status=0
"$@" || status=$?
for report in "$reports"/*; do
    [ -e "$report" ] || continue
    echo "FAIL: $name: sanitizer report ${report##*/}: $(grep -m1 '^SUMMARY' "$report")" >&2
    cat "$report" >&2
    status=1
done
exit "$status"
