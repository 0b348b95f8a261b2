#!/usr/bin/env bash
# Builds the game as the package does and measures, on one Xvfb display and in one run:
#  - start-up of the shipped program as a player sees it, timed from outside with X Damage: from
#    process start to the window's map, to the first drawing of the program itself, and to the
#    moment its picture is whole (the last drawing before the window stays unchanged for 400 ms),
#    with the resident set then; against two bare Qt Widgets programs of the game's window size
#    (a label shown as the window, and a window holding one label) and a raw X window drawing
#    one line (the floor). The four run in turn, RUNS times each, in a rotating order;
#  - the event procedures over a whole game against the same changes made by hand.
# usage: bench/run.sh [RUNS]      (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi
# shellcheck source=../tests/e2e/xsession.sh
. tests/e2e/xsession.sh
XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export XDG_RUNTIME_DIR

# shellcheck source=shipped-build.sh
. bench/shipped-build.sh
build_as_shipped
bin=$shipped_dir/bench
[ -x $bin/bench_observer ] || fail "install libxcb-damage0-dev and run again"
subjects=("$shipped_dir/app/prizewell" "$bin/bench_startup_label" "$bin/bench_startup_baseline"
    "$bin/bench_floor")
names=(game label window floor)
descriptions=("Prizewell" "a label shown as the window" "a window holding one label"
    "raw X window, one line")
n=${#subjects[@]}

HOLDER_PID=
stop() {
    [ -z "$HOLDER_PID" ] || kill "$HOLDER_PID" 2>/dev/null || true
    stop_all
}
trap stop EXIT
start_display
# One client stays connected throughout, so the server does not reset between two subjects.
xprop -root -spy >/dev/null 2>&1 &
HOLDER_PID=$!
sleep 0.5

measure() { # prints "map_us first_frame_us whole_us rss_kib"
    QT_QPA_PLATFORM=xcb $bin/bench_observer "$1" |
        sed -n 's/map_us=\([0-9]*\) first_frame_us=\([0-9]*\) whole_us=\([0-9]*\) rss_kib=\([0-9]*\).*/\1 \2 \3 \4/p'
}

# One untimed start of each warms the file cache and the font cache.
for s in "${subjects[@]}"; do measure "$s" >/dev/null; done

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
results=()
for j in $(seq 0 $((n - 1))); do results[j]=""; done
for i in $(seq 0 $((runs - 1))); do
    for k in $(seq 0 $((n - 1))); do
        j=$(((i + k) % n))
        results[j]+="$(measure "${subjects[j]}")"$'\n'
    done
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
# The 25th percentile, the nearest rank.
quartile() { sort -n | awk '{a[NR]=$1} END {r = int((NR + 3) / 4); print a[r < 1 ? 1 : r]}'; }
column() { printf '%s' "$2" | awk -v c="$1" 'NF {print $c}' | "${3:-median}"; }
ms() { echo "$1/1000" | bc -l; }
ratio() { echo "$1/$2" | bc -l; }

echo "start-up from outside, from process start; median of $runs runs each, in turn, on one display"
echo "(whole: the last drawing before the window stays unchanged for 400 ms; RSS then);"
echo "load average before $load_before, after $(cut -d' ' -f1-3 /proc/loadavg):"
printf '  %-30s %9s %12s %9s %10s %9s\n' "" map "first frame" whole "whole p25" RSS
for j in $(seq 0 $((n - 1))); do
    map[j]=$(column 1 "${results[j]}")
    first[j]=$(column 2 "${results[j]}")
    whole[j]=$(column 3 "${results[j]}")
    quarter[j]=$(column 3 "${results[j]}" quartile)
    rss[j]=$(column 4 "${results[j]}")
    printf '  %-30s %6.1f ms %9.1f ms %6.1f ms %7.1f ms %5.1f MiB\n' "${descriptions[j]}" \
        "$(ms "${map[j]}")" "$(ms "${first[j]}")" "$(ms "${whole[j]}")" \
        "$(ms "${quarter[j]}")" "$(echo "${rss[j]}/1024" | bc -l)"
done
for j in 1 2; do
    printf '  game / %-7s map %.3f   first frame %.3f   whole %.3f   RSS %.3f\n' "${names[j]}" \
        "$(ratio "${map[0]}" "${map[j]}")" "$(ratio "${first[0]}" "${first[j]}")" \
        "$(ratio "${whole[0]}" "${whole[j]}")" "$(ratio "${rss[0]}" "${rss[j]}")"
done
faster=1
[ "$(echo "${whole[2]} < ${whole[1]}" | bc)" = 0 ] || faster=2
printf '  game / faster baseline (%s)   whole %.3f   whole p25 %.3f   RSS %.3f\n' \
    "${names[faster]}" "$(ratio "${whole[0]}" "${whole[faster]}")" \
    "$(ratio "${quarter[0]}" "${quarter[faster]}")" "$(ratio "${rss[0]}" "${rss[faster]}")"

echo
echo "event procedures, one whole game (QTest benchmark, offscreen):"
QT_QPA_PLATFORM=offscreen $bin/bench_procedures 2>/dev/null |
    awk '/^RESULT/ {name=$3} / msecs per iteration/ {print "  " name, $1, "ms"; v[++n]=$1}
         END {if (n == 2) printf "  ratio procedures/by hand %.3f\n", v[2]/v[1]}'
