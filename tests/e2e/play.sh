#!/usr/bin/env bash
# Plays the real program under Xvfb with real mouse and keyboard input.
#   play.sh [--openbox] BINARY win [GAMES]  wins GAMES games (default 1): question 1 from the
#                                keyboard alone, every message box closed with Return or Space
#                                after clicks elsewhere, every winning banked by a mouse drag but
#                                two banked with Ctrl+B; leaves through the win window's Quit
#   play.sh [--openbox] BINARY lose  loses on question 1 and leaves through the main window's Quit
#                                (under Wine it first closes the window with Alt+F4 while a
#                                winning waits)
#   play.sh BINARY foreign HELPER  drags text, files and an image from another program onto the
#                                barrel while a winning waits: nothing may change
#   play.sh [--openbox] BINARY starts COUNT [PER_SESSION]  starts the program COUNT times, each
#                                time until its window is up (centred under openbox) and painted,
#                                then closes it (Alt+F4 under openbox); a new display (and window
#                                manager) every PER_SESSION starts, by default one for all
# With --openbox a window manager frames the windows: the frame must be centred, the message
# box stays on top, and Alt+F4 replaces Quit; lose also checks that the size is fixed and closes
# the main window before Start and with a winning waiting.
# PRIZEWELL_SHOTS=PREFIX saves the main window at start (PREFIX-start.png) and with winning 3
# waiting (PREFIX-midgame.png), for docs/.
# With --wine, BINARY is the Windows program's portable zip: it is unpacked and played under
# Wine, in a prefix made for the run, with the drags paced as Windows' drag and drop needs.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
# shellcheck source=xsession.sh
. "$here/xsession.sh"

wm=
wine=
while true; do
    case $1 in
    --openbox) wm=openbox ;;
    --wine) wine=yes ;;
    *) break ;;
    esac
    shift
done
binary=$1
# Under Wine the program may also be named by its Windows path.
[[ $binary == [A-Z]:\\* ]] || binary=$(realpath "$binary")
mode=$2
games=${3:-1}
desktop_entry=$here/../../data/io.prizewell.Prizewell.desktop

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
# Rectangles in the client area: width, height, left, top.
LABEL17=(105 17 72 232)
LIFELINES=("73 25 200 240" "65 25 280 240" "105 25 352 240")

ox=0
oy=0
at() { echo $((ox + $1)) $((oy + $2)); }
click() { click_at $(at "$1" "$2"); }
# A rectangle W H X Y of the main window's client area, grabbed from that window alone (a
# fraction of the cost of grabbing the screen): its digest, or how many colours it holds (1
# where nothing is drawn).
grab() { import -silent -window "$MAIN" -crop "$1x$2+$3+$4" +repage -depth 8 "${@:5}"; }
client_region() { grab "$@" rgb:- | md5sum; }
client_colours() { grab "$@" -format %k info:; }
# The colour of one pixel of the client area, as ImageMagick names it.
client_pixel() { grab 1 1 "$1" "$2" txt:- | awk 'NR==2 {print $3}'; }
pixel_is() { [ "$(client_pixel "$1" "$2")" = "$3" ]; }
painted() { [ "$(client_colours 457 431 0 0)" -gt 10 ]; }
winning_centre() {
    if [ "$1" -eq 15 ]; then echo 16 376; else echo $((32 * ($1 - 1) + 16)) 408; fi
}

# The desktop matches a window to its launcher by the class part of WM_CLASS.
check_wm_class() {
    local class startup
    class=$(xprop -id "$1" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
    startup=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
    [ -n "$class" ] && [ "$class" = "$startup" ] ||
        fail "WM_CLASS class '$class' but StartupWMClass '$startup'"
}

# The whole frame, title bar and borders included, is centred on the screen within 3 px (under
# Wine, Windows' own frame).
frame_centred() {
    local x y w h l r t b sw sh
    read -r x y w h < <(window_geometry "$1")
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,)
    [ -n "$b" ] && [ $((l + r + t + b)) -gt 0 ] || return 1
    read -r sw sh < <(xwininfo -root | awk '/^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF}
        END {print w, h}')
    if [ -n "$wine" ]; then
        # Windows centres its own frame, whose title bar is taller than the window manager's,
        # and Wine keeps the client area where Windows put it: centred across, and below the
        # screen's centre by half the difference between the two title bars.
        local cx=$((2 * x + w - sw)) cy=$((2 * y + h - sh))
        [ ${cx#-} -le 6 ] && [ "$cy" -ge 0 ] && [ "$cy" -le 40 ]
        return
    fi
    # Twice the offset between the centres, to stay in whole pixels.
    local dx=$((2 * (x - l) + w + l + r - sw)) dy=$((2 * (y - t) + h + t + b - sh))
    [ ${dx#-} -le 6 ] && [ ${dy#-} -le 6 ]
}

# Under the window manager the size is fixed: neither a resize request nor a double click on
# the title bar (maximise) changes it, nor moves the window.
check_fixed_size() {
    local x y w h
    xdotool windowsize "$1" 640 480
    read -r x y w h < <(window_geometry "$1")
    # No --sync: it waits for a motion, and the pointer may already be there.
    xdotool mousemove $((x + w / 2)) $((y - 8)) click --repeat 2 --delay 80 1
    sleep 0.5
    read -r x y w h < <(window_geometry "$1")
    [ "$w $h" = "457 431" ] || fail "the window manager resized the window to ${w}x$h"
    frame_centred "$1" || fail "the window moved: $(window_geometry "$1")"
}

# The main window is up, or the program has ended and it never will be.
window_or_end() { has_windows Prizewell 1 || ! kill -0 "$GAME_PID" 2>/dev/null; }

launch() {
    if [ -n "$wine" ]; then
        QT_QPA_PLATFORM=windows start_game "$here/../windows/wine.sh" "$binary"
    else
        QT_QPA_PLATFORM=xcb start_game "$binary"
    fi
    wait_for 30 window_or_end || fail "main window did not appear"
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
        local status=0
        wait "$GAME_PID" || status=$?
        GAME_PID=
        fail "the program ended with status $status before its main window appeared"
    fi
    MAIN=$(windows_named Prizewell)
    [ "$(xdotool getwindowname "$MAIN")" = "Prizewell" ] || fail "main window title"
    [ -n "$wine" ] || check_wm_class "$MAIN"
    if [ -n "$wm" ]; then
        wait_for 5 frame_centred "$MAIN" || fail "frame not centred: $(window_geometry "$MAIN")" \
            "$(xprop -id "$MAIN" _NET_FRAME_EXTENTS)"
    fi
    read -r ox oy < <(window_origin "$MAIN")
    wait_for 10 painted || fail "main window not painted"
}

# Quit under no window manager, Alt+F4 through openbox: either way the program ends with 0.
leave() {
    if [ -n "$wm" ]; then
        xdotool key --clearmodifiers alt+F4
    else
        click "$@"
    fi
    expect_exit_zero
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

# Question 1 from the keyboard: Ctrl+B before Start, with no winning on view, must do nothing;
# Space on "Start", which has the focus at start-up, then Tab reaches the answer box; the space
# inside the answer must not press a lifeline; Tab then Space presses "Verify".
answer_by_keyboard() {
    # Without a window manager nothing gives a new window the keyboard; a click does.
    [ -n "$wm" ] || click "${BACKGROUND[@]}"
    xdotool key --clearmodifiers ctrl+b space Tab
    xdotool type --delay 15 "$1"
    xdotool key --clearmodifiers Tab space
}

# The message box of question N keeps the keyboard whatever the player clicks: after real clicks
# on the main window and on the waiting winning, and a Ctrl+B that must not bank, Return (odd
# N) or Space (even N) closes it. Under openbox it also stays above the main window.
close_box() {
    local key=Return box stack x y
    [ $(($1 % 2)) -eq 1 ] || key=space
    read -r x y < <(winning_centre "$1")
    click "${BACKGROUND[@]}"
    click $((x - 6)) $((y - 6)) # off centre, where the drag starts
    xdotool key --clearmodifiers ctrl+b
    if [ -n "$wm" ]; then
        sleep 0.2 # let openbox restack after the clicks
        box=$(windows_named Prizewell | grep -vx "$MAIN")
        stack=" $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g') "
        stack=${stack#* "$(printf '0x%x' "$MAIN")" }
        [[ " $stack" == *" $(printf '0x%x' "$box") "* ]] || fail "message box $1 below the main window"
    fi
    xdotool key --clearmodifiers "$key"
    wait_for 5 has_windows Prizewell 1 || fail "message box of question $1 did not close on $key"
}

# A drag with the left button from X Y to X2 Y2, in ten moves. Windows' drag and drop (OLE)
# starts only once the button has rested, and follows moves of a few pixels at a time.
drag() {
    local x=$1 y=$2 x2=$3 y2=$4 steps=10 pause=0.02 i
    # As a player does: the pointer comes onto the winning, then the button goes down.
    move_to $((x + 8)) $((y - 8))
    move_to "$x" "$y"
    xdotool mousedown 1
    if [ -n "$wine" ]; then
        sleep 0.5
        steps=$((((x2 - x) ** 2 + (y2 - y) ** 2) / 100))
        steps=$(awk -v s="$steps" 'BEGIN {print int(sqrt(s)) + 1}')
        pause=0.08
    fi
    for i in $(seq 1 $steps); do
        xdotool mousemove --sync $((x + (x2 - x) * i / steps)) $((y + (y2 - y) * i / steps))
        sleep $pause
    done
    xdotool mouseup 1
}

# Banks winning N by a mouse drag onto the barrel, or with `key` by Ctrl+B; true when it
# disappeared. The last winning takes the main window away with it.
bank() {
    local how=$1 n=$2 cx cy x y bx by background i
    read -r cx cy < <(winning_centre "$n")
    read -r x y < <(at "$cx" "$cy")
    background=$(client_pixel "${BACKGROUND[@]}")
    ! pixel_is "$cx" "$cy" "$background" || fail "winning $n is not on screen"
    if [ "$how" = key ]; then
        xdotool key --clearmodifiers ctrl+b
    else
        drag "$x" "$y" $(at "${BARREL[@]}")
    fi
    if [ "$n" -eq 15 ]; then
        wait_for 5 has_windows "Hi Prizewell!" 1
    else
        wait_for 3 pixel_is "$cx" "$cy" "$background"
    fi
}

drags=0
drag_failures=0

# True when the winnings label shows what digest $1 was taken of. Just after the message box
# closes, the part of the window it covered may still wait to be drawn again.
winnings_are() { [ "$(client_region "${LABEL17[@]}")" = "$1" ]; }

shot() {
    [ -z "${PRIZEWELL_SHOTS:-}" ] || import -silent -window "$MAIN" "$PRIZEWELL_SHOTS-$1.png"
}

win_game() {
    local n winnings lifeline
    launch
    # No Ctrl+B may change the winnings: they stay as the last banking left them.
    winnings=$(client_region "${LABEL17[@]}")
    shot start
    for n in $(seq 1 15); do
        if [ "$n" -eq 1 ]; then
            answer_by_keyboard "${answers[0]}"
        else
            answer "${answers[n - 1]}"
        fi
        wait_for 5 has_windows Prizewell 2 || fail "no message box after answering question $n"
        close_box "$n"
        wait_for 2 winnings_are "$winnings" || fail "the winnings changed before winning $n was banked"
        [ "$n" -ne 3 ] || shot midgame
        if [ "$n" -eq 1 ]; then
            for lifeline in "${LIFELINES[@]}"; do
                # shellcheck disable=SC2086 # a rectangle is four words
                [ "$(client_colours $lifeline)" -gt 1 ] || fail "typing the answer spent a lifeline"
            done
        fi
        if [ "$n" -eq 5 ] || [ "$n" -eq 10 ]; then
            bank key "$n" || fail "Ctrl+B did not bank winning $n"
            winnings=$(client_region "${LABEL17[@]}")
            xdotool key --clearmodifiers ctrl+b # nothing left on view to bank
        else
            drags=$((drags + 1))
            if ! bank drag "$n"; then
                drag_failures=$((drag_failures + 1))
                fail "winning $n was not banked by the drag"
            fi
            [ "$n" -eq 15 ] || winnings=$(client_region "${LABEL17[@]}")
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
    leave "${WIN_QUIT[@]}"
}

# Start, answer question 1 and close its box with Return: winning 1 waits on view.
first_winning() {
    click "${START[@]}"
    answer "${answers[0]}"
    wait_for 5 has_windows Prizewell 2 || fail "no message box after answering question 1"
    xdotool key --clearmodifiers Return
    wait_for 5 has_windows Prizewell 1 || fail "message box did not close"
}

lose_game() {
    if [ -n "$wm" ]; then
        launch
        check_fixed_size "$MAIN"
        leave # before Start
        launch
        first_winning
        leave # with a winning waiting
    elif [ -n "$wine" ]; then
        # Windows itself turns Alt+F4 into the frame's Close, window manager or not.
        launch
        first_winning
        click "${BACKGROUND[@]}"
        xdotool key --clearmodifiers alt+F4
        expect_exit_zero
    fi
    launch
    click "${START[@]}"
    answer "Dracula"
    sleep 0.5
    has_windows Prizewell 1 || fail "a message box opened for a wrong answer"
    leave "${QUIT[@]}"
}

# Drags from another program's window onto the barrel; the waiting winning must stay.
foreign_game() {
    local helper=$1 kind hx hy cx cy bx by background
    launch
    first_winning
    read -r cx cy < <(winning_centre 1)
    read -r bx by < <(at "${BARREL[@]}")
    background=$(client_pixel "${BACKGROUND[@]}")
    for kind in text files image; do
        QT_QPA_PLATFORM=xcb "$helper" "$kind" &
        local helper_pid=$!
        wait_for 10 has_windows "Foreign drag source" 1 || fail "helper window did not appear"
        read -r hx hy < <(window_origin "$(windows_named "Foreign drag source")")
        drag $((hx + 100)) $((hy + 50)) "$bx" "$by"
        sleep 0.5
        kill "$helper_pid"
        wait "$helper_pid" 2>/dev/null || true
        kill -0 "$GAME_PID" || fail "the game died on a dropped $kind"
        ! pixel_is "$cx" "$cy" "$background" || fail "a dropped $kind banked the winning"
        has_windows Prizewell 1 || fail "a dropped $kind opened a window"
    done
    # The winning itself still banks.
    bank drag 1 || fail "winning 1 no longer banks"
    click "${GO_ON[@]}"
    answer "wrong"
    click "${QUIT[@]}"
    expect_exit_zero
}

# Many starts in a row, to show up what happens at one start in hundreds.
starts() {
    local count=$1 per=${2:-$1} i
    for i in $(seq 1 "$count"); do
        if [ "$i" -gt 1 ] && [ $(((i - 1) % per)) -eq 0 ]; then
            stop_session
            start_display
            [ -z "$wm" ] || start_wm
        fi
        echo "== start $i of $count, $(date +%T.%N)" >>"$SESSION_LOGS/game.stderr"
        launch
        if [ -n "$wm" ]; then
            leave
        else
            kill "$GAME_PID"
            wait "$GAME_PID" 2>/dev/null || true
            GAME_PID=
        fi
    done
    echo "starts: $count, every window up and painted"
}

# Arguments are checked before any display is started, so that a mistyped one fails alone.
case "$mode" in
win | lose | foreign | starts) ;;
*) fail "unknown mode $mode" ;;
esac
if [ "$mode" = win ] || [ "$mode" = starts ]; then
    [ "$mode" = win ] || [ $# -ge 3 ] || fail "starts: COUNT missing"
    for number in "${@:3}"; do
        [[ $number =~ ^[1-9][0-9]*$ ]] || fail "$mode: '$number' is not a positive number"
    done
fi

trap stop_all EXIT
if [ -n "$wine" ]; then
    WINE_HOME=$(mktemp -d)
    # Wine's own processes end with the program; they go before the display they are on.
    stop_wine() { timeout 20 wineserver --wait || wineserver --kill || true; }
    trap 'stop_wine; stop_all; rm -rf "$WINE_HOME"' EXIT
    if [[ $binary == *.zip ]]; then
        unzip -q "$binary" -d "$WINE_HOME"
        binary=$(echo "$WINE_HOME"/*/prizewell.exe)
    fi
    # A caller's prefix is the caller's to remove; otherwise one for this run alone.
    if [ -z "${WINEPREFIX:-}" ]; then
        export WINEPREFIX=$WINE_HOME/prefix
        trap 'stop_wine; stop_all; bash "$here/../windows/prefix.sh" remove "$WINEPREFIX"
            rm -rf "$WINE_HOME"' EXIT
        bash "$here/../windows/prefix.sh" create "$WINEPREFIX" 2>/dev/null
    fi
fi
start_display
[ -z "$wm" ] || start_wm
case "$mode" in
win)
    for g in $(seq 1 "$games"); do win_game; done
    echo "drags: $drags, failed: $drag_failures"
    ;;
lose) lose_game ;;
foreign) foreign_game "$(realpath "$3")" ;;
starts) starts "$3" "${4:-$3}" ;;
esac
