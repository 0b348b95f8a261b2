#!/usr/bin/env bash
# Builds the release tree and measures, on one Xvfb display and in one run:
#  - time from process start to the main window's first paint, and peak RSS, of the game's
#    start-up against a bare Qt Widgets program with one label, alternating, RUNS times each;
#  - the event procedures over a whole game against the same changes made by hand.
# usage: bench/run.sh [RUNS]      (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi
# shellcheck source=../tests/e2e/xsession.sh
. tests/e2e/xsession.sh
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
bin=build/release/bench

trap stop_all EXIT
start_display

measure() { # prints "startup_us rss_kib"
    local t0=${EPOCHREALTIME/./}
    PRIZEWELL_BENCH_T0=$t0 "$1" 2>/dev/null | sed -n 's/startup_us=\([0-9]*\) rss_kib=\([0-9]*\)/\1 \2/p'
}

# One untimed start of each warms the file cache and the font cache.
measure $bin/bench_startup_game >/dev/null
measure $bin/bench_startup_baseline >/dev/null

game=() base=()
for i in $(seq 1 "$runs"); do
    if ((i % 2)); then
        game+=("$(measure $bin/bench_startup_game)")
        base+=("$(measure $bin/bench_startup_baseline)")
    else
        base+=("$(measure $bin/bench_startup_baseline)")
        game+=("$(measure $bin/bench_startup_game)")
    fi
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
column() { printf '%s\n' "${@:2}" | awk -v c="$1" '{print $c}'; }

g_time=$(column 1 "${game[@]}" | median)
b_time=$(column 1 "${base[@]}" | median)
g_rss=$(column 2 "${game[@]}" | median)
b_rss=$(column 2 "${base[@]}" | median)

echo "start-up to first paint, median of $runs runs each (alternating, one display):"
printf '  game      %8.1f ms   peak RSS %7.1f MiB\n' "$(echo "$g_time/1000" | bc -l)" "$(echo "$g_rss/1024" | bc -l)"
printf '  baseline  %8.1f ms   peak RSS %7.1f MiB\n' "$(echo "$b_time/1000" | bc -l)" "$(echo "$b_rss/1024" | bc -l)"
printf '  ratio     %8.3f      peak RSS %7.3f\n' "$(echo "$g_time/$b_time" | bc -l)" "$(echo "$g_rss/$b_rss" | bc -l)"

echo
echo "event procedures, one whole game (QTest benchmark, offscreen):"
QT_QPA_PLATFORM=offscreen $bin/bench_procedures 2>/dev/null |
    awk '/^RESULT/ {name=$3} / msecs per iteration/ {print "  " name, $1, "ms"; v[++n]=$1}
         END {if (n == 2) printf "  ratio procedures/by hand %.3f\n", v[2]/v[1]}'
