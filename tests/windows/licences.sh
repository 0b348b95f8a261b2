#!/usr/bin/env bash
# Every program file and DLL of the zip ships with its licences: NOTICE.txt names the
# components each holds, each component's section names its licence files, and every licence
# file it names is in the zip.
#   licences.sh ZIP
set -euo pipefail
zip=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

unzip -q "$zip" -d "$work"
dir=$(echo "$work"/*/)
notice=$dir/NOTICE.txt
[ -f "$notice" ] || fail "no NOTICE.txt in $zip"

# The licence files a component's section names: its lines up to the next blank one.
licence_files() {
    awk -v c="$1: " 'index($0, c) == 1 { on = 1 } on && /^$/ { exit }
        on && /^ +licenses\// { print $1 }' "$notice"
}

checked=0
while IFS= read -r binary; do
    line=$(awk -v b="  $binary: " 'index($0, b) == 1 { print; exit }' "$notice")
    [ -n "$line" ] || fail "$binary ships with no licence: NOTICE.txt does not name it"
    components=${line#*: }
    [ -n "$components" ] || fail "$binary has no components in NOTICE.txt"
    for component in $components; do
        files=$(licence_files "$component")
        [ -n "$files" ] || fail "$binary: NOTICE.txt names no licence file for $component"
    done
    checked=$((checked + 1))
done < <(cd "$dir" && find . -type f \( -iname '*.dll' -o -iname '*.exe' \) | sed 's|^\./||' | sort)
[ "$checked" -gt 0 ] || fail "no program files in $zip"

# Every licence file the notice names is shipped, and holds text.
missing=$(grep -oE '^ +licenses/[^ ]+' "$notice" | sed 's/^ *//' | sort -u |
    while IFS= read -r file; do [ -s "$dir/$file" ] || echo "$file"; done)
[ -z "$missing" ] || fail "NOTICE.txt names licence files the zip lacks:"$'\n'"$missing"
echo "licences: $checked program files and DLLs, each with its components' licence files"
