#!/usr/bin/env bash
# Builds the release tree and measures, on one Xvfb display and in one run:
#  - start-up of the shipped program, timed from outside: from process start to the first
#    drawing on its window (X Damage), and its resident set at that moment; against a bare Qt
#    Widgets window with one label and a raw X window drawing one line (the floor). The three
#    run in turn, RUNS times each, in a rotating order;
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

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
bin=build/release/bench
[ -x $bin/bench_observer ] || fail "install libxcb-damage0-dev and run again"
subjects=(build/release/app/prizewell $bin/bench_startup_baseline $bin/bench_floor)
names=(game bare-Qt floor)

trap stop_all EXIT
start_display

measure() { # prints "first_frame_us rss_kib"
    QT_QPA_PLATFORM=xcb $bin/bench_observer "$1" |
        sed -n 's/first_frame_us=\([0-9]*\) rss_kib=\([0-9]*\)/\1 \2/p'
}

# One untimed start of each warms the file cache and the font cache.
for s in "${subjects[@]}"; do measure "$s" >/dev/null; done

results=("" "" "")
for i in $(seq 0 $((runs - 1))); do
    for k in 0 1 2; do
        j=$(((i + k) % 3))
        results[j]+="$(measure "${subjects[j]}")"$'\n'
    done
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
column() { printf '%s' "$2" | awk -v c="$1" 'NF {print $c}' | median; }

echo "start-up from outside: process start to first drawing on the window, and RSS then;"
echo "median of $runs runs each, in turn, on one display:"
for j in 0 1 2; do
    t[j]=$(column 1 "${results[j]}")
    r[j]=$(column 2 "${results[j]}")
    printf '  %-8s first frame %7.1f ms   RSS %6.1f MiB\n' "${names[j]}" \
        "$(echo "${t[j]}/1000" | bc -l)" "$(echo "${r[j]}/1024" | bc -l)"
done
printf '  game / bare-Qt  first frame %.3f   RSS %.3f\n' \
    "$(echo "${t[0]}/${t[1]}" | bc -l)" "$(echo "${r[0]}/${r[1]}" | bc -l)"

echo
echo "event procedures, one whole game (QTest benchmark, offscreen):"
QT_QPA_PLATFORM=offscreen $bin/bench_procedures 2>/dev/null |
    awk '/^RESULT/ {name=$3} / msecs per iteration/ {print "  " name, $1, "ms"; v[++n]=$1}
         END {if (n == 2) printf "  ratio procedures/by hand %.3f\n", v[2]/v[1]}'
