#!/usr/bin/env bash
# The Windows installer under Wine, in a prefix made for the run: a silent install puts the
# program in Program Files with a Start-menu shortcut and an Apps & features entry; the
# installed program plays and quits; a silent uninstall leaves nothing of the game behind.
#   installer.sh SETUP.exe
set -euo pipefail
here=$(dirname "$(realpath "$0")")
setup=$(realpath "$1")
export WINEPREFIX
WINEPREFIX=$(mktemp -d)/prefix
trap 'bash "$here/prefix.sh" remove "$WINEPREFIX"; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

bash "$here/prefix.sh" create "$WINEPREFIX" 2>/dev/null
drive_c=$WINEPREFIX/drive_c
dir="$drive_c/Program Files/Prizewell"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Prizewell.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Prizewell'
# Every file of the prefix, so the uninstall can be held to what was there before.
files() { (cd "$drive_c" && find . -type f | sort); }
before=$(files)

# The installer and the uninstaller hand their work to copies of themselves; wineserver --wait
# returns once every program of the prefix has ended.
bash "$here/wine.sh" "$setup" /S || fail "silent install failed with status $?"
wineserver --wait
[ -f "$dir/prizewell.exe" ] || fail "no program in Program Files"
[ -f "$dir/platforms/qwindows.dll" ] || fail "no platform plugin beside the program"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
strings -el "$shortcut" | grep -qi 'Program Files\\Prizewell\\prizewell.exe' ||
    fail "the shortcut does not start the installed program"

value() { bash "$here/wine.sh" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {
    $1 = $2 = ""; sub(/^ +/, ""); print }'; }
for pair in "DisplayName=Prizewell" "DisplayVersion=1.00" "Publisher=The Prizewell developers" \
    'DisplayIcon=C:\Program Files\Prizewell\prizewell.exe,0' \
    'UninstallString="C:\Program Files\Prizewell\Uninstall.exe"'; do
    [ "$(value "${pair%%=*}")" = "${pair#*=}" ] ||
        fail "Apps & features ${pair%%=*} is '$(value "${pair%%=*}")', not '${pair#*=}'"
done
wineserver --wait

# The installed program, started from its place as the shortcut starts it, plays and quits.
bash "$here/../e2e/play.sh" --wine 'C:\Program Files\Prizewell\prizewell.exe' lose
wineserver --wait

bash "$here/wine.sh" "$dir/Uninstall.exe" /S || fail "silent uninstall failed with status $?"
wineserver --wait
# The uninstaller ran from a copy in Temp, which Windows deletes at the next start.
bash "$here/wine.sh" wineboot --restart
wineserver --wait
[ ! -e "$dir" ] || fail "left in Program Files: $(cd "$dir" && find . | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is left"
left=$(diff <(echo "$before") <(files) | grep '^>' || true)
[ -z "$left" ] || fail "files left behind:"$'\n'"$left"
# The registry is saved to these files once wineserver has ended.
wineserver --kill || true
! grep -il prizewell "$WINEPREFIX"/*.reg || fail "registry entries left behind"
echo "installer: silent install, shortcut, Apps & features entry, play, clean silent uninstall"
