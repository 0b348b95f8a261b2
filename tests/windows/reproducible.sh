#!/usr/bin/env bash
# Two builds of the Windows packages from clean clones of one commit, at different paths and
# times, in different time zones, locales and umasks, each with its own icon packer, must give
# the same zip and installer bytes; what differs is named.
#   reproducible.sh [REPOSITORY [COMMIT]]   (default: this checkout and its HEAD)
# Needs PRIZEWELL_QT_WINDOWS, the folder scripts/build-qt-windows.sh prints.
set -euo pipefail
repo=$(realpath "${1:-$(dirname "$0")/../..}")
commit=$(git -C "$repo" rev-parse "${2:-HEAD}")
[ -n "${PRIZEWELL_QT_WINDOWS:-}" ] || { echo "reproducible.sh: PRIZEWELL_QT_WINDOWS is not set" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# build DIR TZ LOCALE UMASK: a clone of the commit in DIR, its icon packer and its packages.
build() {
    local dir=$1 start=$SECONDS
    (
        export TZ=$2 LC_ALL=$3
        umask "$4"
        git clone -q "$repo" "$dir"
        cd "$dir"
        git checkout -q "$commit"
        cmake --preset dev >/dev/null
        nice cmake --build --preset dev --target xpm2ico --parallel 2 >/dev/null
        cmake --preset windows >/dev/null
        nice cmake --build --preset windows --parallel 2 >/dev/null
        cd build/windows
        cpack -G "ZIP;NSIS" >/dev/null
    ) >"$dir.log" 2>&1 || { cat "$dir.log" >&2; fail "the build in $dir failed"; }
    echo "reproducible: built in $dir in $((SECONDS - start)) s (TZ=$2, LC_ALL=$3, umask $4)"
}
one=$work/one/prizewell
two=$work/second/build-here/prizewell
mkdir -p "$(dirname "$one")" "$(dirname "$two")"
build "$one" UTC C 022
build "$two" Pacific/Kiritimati C.UTF-8 077

# The folder each package was made from, to name the file that differs.
staged() { echo "$1/build/windows/_CPack_Packages/win64/$2/prizewell-"*-windows-x64; }
differs=0
for kind in zip:ZIP exe:NSIS; do
    a=$(echo "$one"/build/windows/prizewell-*-windows-x64."${kind%%:*}")
    b=${a/#$one/$two}
    if cmp -s "$a" "$b"; then
        echo "reproducible: $(basename "$a") is the same bytes: $(sha256sum <"$a" | cut -c1-16)"
        continue
    fi
    differs=1
    echo "reproducible: $(basename "$a") differs: $(cmp "$a" "$b" | sed 's/.*differ: //')" >&2
    if [ "${kind%%:*}" = zip ]; then
        mkdir "$work/a" "$work/b"
        unzip -q "$a" -d "$work/a"
        unzip -q "$b" -d "$work/b"
        diff -r "$work/a" "$work/b" >&2 || true
        diff <(zipinfo "$a" | tail -n +2) <(zipinfo "$b" | tail -n +2) >&2 ||
            echo "  (the listings above differ: names, order, modes or times)" >&2
    else
        # The installer holds the staged folder and its script: a difference is in one of them.
        diff -r "$(staged "$one" NSIS)" "$(staged "$two" NSIS)" >&2 || true
        diff <(sed "s|$one|ROOT|g" "$one/build/windows/_CPack_Packages/win64/NSIS/project.nsi") \
            <(sed "s|$two|ROOT|g" "$two/build/windows/_CPack_Packages/win64/NSIS/project.nsi") >&2 ||
            true
        diff <(cd "$(staged "$one" NSIS)" && find . -printf '%p %m %Ts\n' | sort) \
            <(cd "$(staged "$two" NSIS)" && find . -printf '%p %m %Ts\n' | sort) >&2 ||
            echo "  (the staged files' modes or times above differ)" >&2
    fi
done
[ "$differs" = 0 ] || fail "the two builds differ"
echo "reproducible: two builds of ${commit:0:12} gave the same zip and installer"
