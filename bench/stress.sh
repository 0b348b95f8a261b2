#!/usr/bin/env bash
# Starts the program as shipped thousands of times, under the conditions a desktop has, and
# counts the starts whose main window is not mapped and drawn within 5 s. Each such start first
# leaves its evidence (every thread's backtrace, stderr, a screenshot, the window tree: see
# save_evidence in tests/e2e/xsession.sh) and is then counted as failed; the run goes on.
#   bench/stress.sh [--binary PROGRAM] [STARTS]   STARTS per condition and load (default 150);
#                                                 PROGRAM defaults to the game built as
#                                                 the package builds it
# Every condition runs with the machine as it is, then again while two busy loops hold both
# cores. Prints starts and failures per condition; exits 1 if any start failed.
# Conditions:
#   x11               Xvfb, no window manager, the font cache warm; the game killed
#   x11-fresh-cache   the same, each start with a new empty XDG_CACHE_HOME and a font of the
#                     player's own (in XDG_DATA_HOME), so that fontconfig scans it and writes
#                     its cache there, as at a first login (tests/e2e/user-fonts.conf keeps
#                     root from writing it into the system's cache instead)
#   x11-pair          two games started at once, sharing one such new cache and font; run as
#                     nobody when the script runs as root
#   openbox           Xvfb and openbox, both new every 5 starts; the game closed with Alt+F4,
#                     which must end it within 10 s
#   wayland           mutter headless; the window must take a key (a Wayland surface is on view
#                     only once it has been drawn); warm cache
#   wayland-fresh-cache  the same with a new cache and font of the player's own each start
#   no-fonts          X, FONTCONFIG_FILE naming a configuration with no fonts (a tenth of STARTS)
#   unwritable-cache  X, XDG_CACHE_HOME where nobody can write, not even root (a tenth)
# The evidence goes under $PRIZEWELL_E2E_ARTIFACTS (default /tmp).
set -euo pipefail
here=$(realpath "$(dirname "$0")/..")
e2e=$here/tests/e2e

if [ "${1:-}" = --condition ]; then
    # One condition in a session of its own: bench/stress.sh --condition NAME COUNT PROGRAM
    condition=$2 count=$3 binary=$4
    case $condition in
    wayland) exec bash "$e2e/wayland_play.sh" "$binary" starts "$count" ;;
    wayland-fresh-cache) exec bash "$e2e/wayland_play.sh" "$binary" starts "$count" fresh-cache ;;
    esac
    # shellcheck source=../tests/e2e/xsession.sh
    . "$e2e/xsession.sh"
    # As on a desktop, where the session has its runtime folder.
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'stop_all; rm -rf "$XDG_RUNTIME_DIR"' EXIT
    wm='' games=1 per=50 env=()
    case $condition in
    x11 | x11-fresh-cache) ;;
    x11-pair) games=2 ;;
    openbox) wm=openbox per=5 ;;
    no-fonts) env=(FONTCONFIG_FILE="$e2e/no-fonts.conf") ;;
    unwritable-cache) env=(XDG_CACHE_HOME=/proc/self/cache) ;;
    *) fail "unknown condition $condition" ;;
    esac
    # The main window of process $1 is mapped and has drawn its picture (more than ten colours).
    # Two games put their windows in the same place: the one looked at is raised first, and it
    # has to draw again what the other covered.
    drawn() {
        local id
        id=$(xdotool search --all --onlyvisible --pid "$1" --name '^Prizewell$' 2>/dev/null) ||
            return 1
        [ "$(echo "$id" | wc -l)" -eq 1 ] || return 1
        [ "$games" -eq 1 ] || xdotool windowraise "$id"
        [ "$(import -silent -window "$id" -depth 8 -format %k info: 2>/dev/null)" -gt 10 ]
    }
    # Each of the games' windows in turn, all within 5 s of the start.
    all_drawn() {
        local deadline=$((SECONDS + 5)) pid
        for pid in "$@"; do
            wait_for $((deadline - SECONDS)) drawn "$pid" || return 1
        done
    }
    all_ended() { ! kill -0 "$@" 2>/dev/null; }
    # Two games racing to make the new cache folder: the loser writes its cache into the next
    # folder it can write, which for root is the system's. So they run as an ordinary player.
    as_player=()
    if [ "$condition" = x11-pair ] && [ "$(id -u)" -eq 0 ]; then
        as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    # The font the player adds: a copy of the one sans-serif text is drawn in, whatever it is.
    own_font=$(fc-match -f '%{file}' sans-serif)
    failed=0
    start_display
    [ -z "$wm" ] || start_wm
    for i in $(seq 1 "$count"); do
        if [ "$i" -gt 1 ] && [ $(((i - 1) % per)) -eq 0 ]; then
            stop_session
            start_display
            [ -z "$wm" ] || start_wm
        fi
        cache=
        if [[ $condition == x11-fresh-cache || $condition == x11-pair ]]; then
            cache=$(mktemp -d)
            mkdir -p "$cache/data/fonts" "$cache/runtime"
            cp "$own_font" "$cache/data/fonts/"
            env=(XDG_CACHE_HOME="$cache/cache" XDG_DATA_HOME="$cache/data"
                FONTCONFIG_FILE="$e2e/user-fonts.conf")
            if [ ${#as_player[@]} -gt 0 ]; then
                chown -R nobody:nogroup "$cache"
                env+=(XDG_RUNTIME_DIR="$cache/runtime")
            fi
        fi
        echo "== start $i of $count, $(date +%T.%N)" >>"$SESSION_LOGS/game.stderr"
        pids=()
        for _ in $(seq "$games"); do
            "${as_player[@]}" env "${env[@]}" QT_QPA_PLATFORM=xcb "$binary" \
                2>>"$SESSION_LOGS/game.stderr" &
            pids+=($!)
        done
        if ! all_drawn "${pids[@]}"; then
            failed=$((failed + 1))
            for GAME_PID in "${pids[@]}"; do
                drawn "$GAME_PID" ||
                    save_evidence "start $i: no main window of $GAME_PID mapped and drawn in 5 s"
            done
        elif [ -n "$wm" ]; then
            GAME_PID=${pids[0]}
            xdotool key --clearmodifiers alt+F4
            if ! wait_for 10 all_ended "$GAME_PID"; then
                failed=$((failed + 1))
                save_evidence "start $i: the game still running 10 s after Alt+F4"
            fi
        fi
        kill "${pids[@]}" 2>/dev/null || true
        wait "${pids[@]}" 2>/dev/null || true
        GAME_PID=
        [ -z "$cache" ] || rm -rf "$cache"
    done
    echo "starts: $((count * games)), failed: $failed"
    exit 0
fi

# shellcheck source=shipped-build.sh
. "$here/bench/shipped-build.sh"
binary=$here/$shipped_dir/app/prizewell
if [ "${1:-}" = --binary ]; then
    binary=$(realpath "$2")
    shift 2
fi
starts=${1:-150}
[[ $starts =~ ^[1-9][0-9]*$ ]] || {
    echo "usage: bench/stress.sh [--binary PROGRAM] [STARTS]" >&2
    exit 2
}
if [ "$binary" = "$here/$shipped_dir/app/prizewell" ]; then
    (cd "$here" && build_as_shipped)
fi

BUSY=()
stop_busy() {
    [ ${#BUSY[@]} -eq 0 ] || kill "${BUSY[@]}" 2>/dev/null || true
    BUSY=()
}
trap stop_busy EXIT
conditions=(x11 x11-fresh-cache x11-pair openbox wayland wayland-fresh-cache no-fonts
    unwritable-cache)
total=0 total_failed=0
printf '%-22s %-6s %7s %7s %6s %s\n' condition cores starts failed load seconds
for load in idle busy; do
    if [ $load = busy ]; then
        for _ in 1 2; do
            bash -c 'while :; do :; done' &
            BUSY+=($!)
        done
    fi
    for condition in "${conditions[@]}"; do
        count=$starts
        [[ $condition != no-fonts && $condition != unwritable-cache ]] ||
            count=$(((starts + 9) / 10))
        begin=$SECONDS
        line=$(dbus-run-session -- bash "$0" --condition "$condition" "$count" "$binary" \
            2>>"${PRIZEWELL_STRESS_LOG:-/dev/null}" | grep '^starts: ' | tail -1) || true
        made='' failures=''
        read -r made failures < <(echo "$line" |
            sed -n 's/^starts: \([0-9]*\), failed: \([0-9]*\)$/\1 \2/p') || true
        # A condition that could not even count its starts fails them all.
        [ -n "$made" ] || { made=$count failures=$count; }
        printf '%-22s %-6s %7d %7d %6s %d\n' "$condition" $load "$made" "$failures" \
            "$(cut -d' ' -f1 /proc/loadavg)" $((SECONDS - begin))
        total=$((total + made)) total_failed=$((total_failed + failures))
    done
    stop_busy
done
printf '%-22s %-6s %7d %7d\n' all "" $total $total_failed
[ "$total_failed" -eq 0 ]
