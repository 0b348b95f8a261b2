#!/usr/bin/env bash
# Plays the real program under Xvfb with real mouse and keyboard input.
#   play.sh BINARY win [GAMES]   wins GAMES games (default 1), banking every winning by a
#                                mouse drag, and leaves through the win window's Quit
#   play.sh BINARY lose          loses on question 1 and leaves through the main window's Quit
#   play.sh BINARY foreign HELPER  drags text, files and an image from another program onto the
#                                barrel while a winning waits: nothing may change
set -euo pipefail
here=$(dirname "$(realpath "$0")")
# shellcheck source=xsession.sh
. "$here/xsession.sh"

binary=$(realpath "$1")
mode=$2
games=${3:-1}

answers=("Orvan Quillam" "Bilbo" "81" "Visual Basic 6.0" "Holy Grail" "Man" "104" "2" "Tollen"
    "Vantry Middle School" ".65" "Trombone" "Trumpet" "16" "Saturday")

# Control centres in the main window's client area (pixels).
START=(104 268)
TEXT1=(300 220)
VERIFY=(392 220)
GO_ON=(400 152)
QUIT=(132 368)
BARREL=(72 356)
WIN_QUIT=(176 192)
BACKGROUND=(440 20)

ox=0
oy=0
at() { echo $((ox + $1)) $((oy + $2)); }
click() { click_at $(at "$1" "$2"); }
winning_centre() {
    if [ "$1" -eq 15 ]; then echo 16 376; else echo $((32 * ($1 - 1) + 16)) 408; fi
}

launch() {
    QT_QPA_PLATFORM=xcb "$binary" &
    GAME_PID=$!
    wait_for 20 has_windows Prizewell 1 || fail "main window did not appear"
    local window
    window=$(windows_named Prizewell)
    [ "$(xdotool getwindowname "$window")" = "Prizewell" ] || fail "main window title"
    read -r ox oy < <(window_origin "$window")
    wait_for 10 test "$(pixel $(at "${START[@]}"))" != "" || true
    sleep 0.3 # first paint
}

expect_exit_zero() {
    local status=0
    wait_for 10 bash -c "! kill -0 $GAME_PID" || fail "program still running after Quit"
    wait "$GAME_PID" || status=$?
    GAME_PID=
    [ "$status" -eq 0 ] || fail "exit status $status"
}

answer() {
    click "${TEXT1[@]}"
    xdotool type --delay 15 "$1"
    click "${VERIFY[@]}"
}

# Drags winning picture N onto the barrel with the mouse; true when it disappeared.
drag_to_barrel() {
    local x y bx by background i
    read -r x y < <(at $(winning_centre "$1"))
    read -r bx by < <(at "${BARREL[@]}")
    background=$(pixel $(at "${BACKGROUND[@]}"))
    [ "$(pixel "$x" "$y")" != "$background" ] || fail "winning $1 is not on screen"
    xdotool mousemove --sync "$x" "$y" mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove --sync $((x + (bx - x) * i / 10)) $((y + (by - y) * i / 10))
        sleep 0.02
    done
    xdotool mouseup 1
    # The last winning takes the main window away with it.
    if [ "$1" -eq 15 ]; then
        wait_for 5 has_windows "Hi Prizewell!" 1
    else
        wait_for 3 test "$(pixel "$x" "$y")" = "$background"
    fi
}

drags=0
drag_failures=0

win_game() {
    launch
    click "${START[@]}"
    for n in $(seq 1 15); do
        answer "${answers[n - 1]}"
        wait_for 5 has_windows Prizewell 2 || fail "no message box after answering question $n"
        xdotool key --clearmodifiers Return
        wait_for 5 has_windows Prizewell 1 || fail "message box of question $n did not close"
        drags=$((drags + 1))
        if ! drag_to_barrel "$n"; then
            drag_failures=$((drag_failures + 1))
            fail "winning $n was not banked by the drag"
        fi
        [ "$n" -lt 15 ] && click "${GO_ON[@]}"
    done
    wait_for 5 has_windows "Hi Prizewell!" 1 || fail "win window did not open"
    wait_for 5 has_windows Prizewell 0 || fail "main window still shown after winning"
    local win
    win=$(windows_named "Hi Prizewell!")
    [ "$(xdotool getwindowname "$win")" = "Hi Prizewell!" ] || fail "win window title"
    read -r ox oy < <(window_origin "$win")
    sleep 0.3
    click "${WIN_QUIT[@]}"
    expect_exit_zero
}

lose_game() {
    launch
    click "${START[@]}"
    answer "Dracula"
    sleep 0.5
    has_windows Prizewell 1 || fail "a message box opened for a wrong answer"
    click "${QUIT[@]}"
    expect_exit_zero
}

# Drags from another program's window onto the barrel; the waiting winning must stay.
foreign_game() {
    local helper=$1 kind hx hy x y bx by background
    launch
    click "${START[@]}"
    answer "${answers[0]}"
    wait_for 5 has_windows Prizewell 2 || fail "no message box after answering question 1"
    xdotool key --clearmodifiers Return
    wait_for 5 has_windows Prizewell 1 || fail "message box did not close"
    read -r x y < <(at $(winning_centre 1))
    read -r bx by < <(at "${BARREL[@]}")
    background=$(pixel $(at "${BACKGROUND[@]}"))
    for kind in text files image; do
        QT_QPA_PLATFORM=xcb "$helper" "$kind" &
        local helper_pid=$!
        wait_for 10 has_windows "Foreign drag source" 1 || fail "helper window did not appear"
        read -r hx hy < <(window_origin "$(windows_named "Foreign drag source")")
        xdotool mousemove --sync $((hx + 100)) $((hy + 50)) mousedown 1
        for i in 1 2 3 4 5 6 7 8 9 10; do
            xdotool mousemove --sync $((hx + 100 + (bx - hx - 100) * i / 10)) \
                $((hy + 50 + (by - hy - 50) * i / 10))
            sleep 0.02
        done
        xdotool mouseup 1
        sleep 0.5
        kill "$helper_pid"
        wait "$helper_pid" 2>/dev/null || true
        kill -0 "$GAME_PID" || fail "the game died on a dropped $kind"
        [ "$(pixel "$x" "$y")" != "$background" ] || fail "a dropped $kind banked the winning"
        has_windows Prizewell 1 || fail "a dropped $kind opened a window"
    done
    # The winning itself still banks.
    drag_to_barrel 1 || fail "winning 1 no longer banks"
    click "${GO_ON[@]}"
    answer "wrong"
    click "${QUIT[@]}"
    expect_exit_zero
}

trap stop_all EXIT
start_display
case "$mode" in
win)
    for g in $(seq 1 "$games"); do win_game; done
    echo "drags: $drags, failed: $drag_failures"
    ;;
lose) lose_game ;;
foreign) foreign_game "$(realpath "$3")" ;;
*) fail "unknown mode $mode" ;;
esac
