#!/usr/bin/env bash
# The Windows program file as Windows shows it: its icon group holds exactly the application
# icon's three images, pixel for pixel the drawings, and its version record says 1.00.
#   program-file.sh ZIP ASSETS_DIR
set -euo pipefail
zip=$1
assets=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

unzip -q "$zip" -d "$work"
exe=$(echo "$work"/*/prizewell.exe)
[ -f "$exe" ] || fail "no prizewell.exe in $zip"

# The first icon group is the one Explorer shows for the file.
wrestool -x -t 14 "$exe" >"$work/group.ico" || fail "no icon group in the program file"
images=$(icotool -l "$work/group.ico" | sed 's/--icon //; s/--index=[0-9]* //' | sort)
expected=$(printf '%s\n' "--width=16 --height=16 --bit-depth=4 --palette-size=16" \
    "--width=32 --height=32 --bit-depth=1 --palette-size=2" \
    "--width=32 --height=32 --bit-depth=4 --palette-size=16" | sort)
[ "$images" = "$expected" ] || fail "icon images are"$'\n'"$images"

# Each image against the drawing it was packed from, transparency included.
icotool -x -o "$work" "$work/group.ico"
for entry in 16x16x4:appicon16 32x32x1:appicon32-mono 32x32x4:appicon32; do
    png=$(echo "$work"/group_*_"${entry%%:*}".png)
    differing=$(compare -metric AE "$png" "$assets/${entry#*:}.xpm" null: 2>&1) || true
    [ "$differing" = 0 ] || fail "icon image ${entry%%:*} differs from ${entry#*:}.xpm: $differing"
done

# The version record's strings, in order, as Explorer's Details page reads them.
record=$(wrestool -x --raw -t 16 "$exe" | strings -el | paste -sd'|')
for pair in "FileVersion|1.00" "ProductVersion|1.00" "ProductName|Prizewell" \
    "InternalName|Prizewell"; do
    [[ "|$record|" == *"|$pair|"* ]] || fail "version record lacks $pair: $record"
done
echo "program file: three icon images as drawn, version 1.00"
