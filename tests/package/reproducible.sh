#!/usr/bin/env bash
# Builds the packages twice from clean clones of HEAD, at different paths and times, with files
# checked out at different times, in different time zones and locales and with different
# umasks, and checks that they are the same byte for byte; when one differs, names the archive
# members and files that do.
#   reproducible.sh [REPOSITORY]    (default: this checkout; only its commits are cloned)
set -euo pipefail
repo=$(realpath "${1:-$(dirname "$0")/../..}")
work=$(mktemp -d -p "${TMPDIR:-/tmp}" prizewell-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
# Each packaging takes its time itself, as for any build (the Debian packages the changelog's,
# the Windows ones the last commit's); none is handed down.
unset SOURCE_DATE_EPOCH

# A builder builds what is shipped in the clone it is given, as the test command does, and
# prints the paths of the files made, one a line. Every builder runs in both clones. The Windows
# packages are built where Qt for Windows is (PRIZEWELL_QT_WINDOWS, as scripts/run.sh sets it).
builders=(build_linux)
if [ -n "${PRIZEWELL_QT_WINDOWS:-}" ]; then
    builders+=(build_windows)
else
    echo "reproducible: PRIZEWELL_QT_WINDOWS is not set: the Windows packages are not compared"
fi

# The Debian packages land beside the clone, in its own folder. Their tests ran in the package
# stage: a package built without them must be the same.
# shellcheck disable=SC2317 # called through $builders
build_linux() {
    (cd "$1" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b -Jauto) >/dev/null
    ls "$(dirname "$1")"/prizewell*_*.deb
}

# shellcheck disable=SC2317 # called through $builders
build_windows() {
    (
        cd "$1"
        # Each clone's own icon packer, so that it is no shared input.
        cmake --preset dev >/dev/null
        cmake --build --preset dev --target xpm2ico --parallel "$(nproc)" >/dev/null
        cmake --preset windows >/dev/null
        cmake --build --preset windows --parallel "$(nproc)" >/dev/null
        cd build/windows
        cpack -G "ZIP;NSIS" >/dev/null
    )
    ls "$1"/build/windows/prizewell-*-windows-x64.zip "$1"/build/windows/prizewell-*-windows-x64.exe
}

# build TREE TZ LOCALE UMASK [TIME]: clones HEAD into $work/TREE/prizewell, its files dated TIME
# if given (as in a checkout older than the commit), and builds there under those settings.
build() {
    local tree=$1 src=$work/$1/prizewell
    git clone -q "$repo" "$src"
    [ -z "${5:-}" ] || find "$src" -path "$src/.git" -prune -o -exec touch -d "$5" {} +
    (
        export TZ=$2 LC_ALL=$3
        umask "$4"
        for builder in "${builders[@]}"; do
            "$builder" "$src"
        done >"$work/$tree.files"
    )
}

# explain A B: what differs between two packages of one kind, down to the file.
explain() {
    case $1 in
    *.deb) explain_deb "$@" ;;
    *.zip) explain_zip "$@" ;;
    *.exe) explain_installer "$@" ;;
    esac
}

explain_zip() {
    local d
    d=$(mktemp -d -p "$work")
    unzip -q "$1" -d "$d/a"
    unzip -q "$2" -d "$d/b"
    diff -r "$d/a" "$d/b" | sed "s|$d/||g; s/^/  /" || true
    diff <(zipinfo "$1" | tail -n +2) <(zipinfo "$2" | tail -n +2) | sed 's/^/  listing: /' || true
}

# The installer holds the folder CPack staged and the script made from it: a difference is in one
# of them.
explain_installer() {
    local a b
    a=$(dirname "$1")/_CPack_Packages/win64/NSIS
    b=$(dirname "$2")/_CPack_Packages/win64/NSIS
    diff -r "$a" "$b" | sed 's/^/  /' || true
    diff <(cd "$a" && find . -printf '%p %m %Ts\n' | sort) \
        <(cd "$b" && find . -printf '%p %m %Ts\n' | sort) | sed 's/^/  staged: /' || true
}

# explain_deb A B: member by member, then file by file.
explain_deb() {
    local a=$1 b=$2 d m
    d=$(mktemp -d -p "$work")
    mkdir "$d/a" "$d/b"
    (cd "$d/a" && ar x "$a")
    (cd "$d/b" && ar x "$b")
    [ "$(ar tv "$a" | tr -s ' ')" = "$(ar tv "$b" | tr -s ' ')" ] || echo "  the ar headers differ"
    for m in $(ar t "$a"); do
        cmp -s "$d/a/$m" "$d/b/$m" || echo "  member $m differs"
    done
    diff <(dpkg-deb -c "$a") <(dpkg-deb -c "$b") | sed 's/^/  data: /' || true
    diff <(tar -tvf "$d/a/control.tar"* 2>/dev/null) <(tar -tvf "$d/b/control.tar"* 2>/dev/null) |
        sed 's/^/  control: /' || true
    dpkg-deb -R "$a" "$d/a/tree"
    dpkg-deb -R "$b" "$d/b/tree"
    diff -r -q "$d/a/tree" "$d/b/tree" | sed "s|$d/[ab]/tree/||g; s/^/  /" || true
}

start=$SECONDS
build one UTC C.UTF-8 0022
build second-tree-at-a-longer-path Pacific/Kiritimati POSIX 0077 2001-01-01
echo "reproducible: two builds in $((SECONDS - start)) s"

status=0
while read -r file; do
    other=$work/second-tree-at-a-longer-path/${file#"$work"/one/}
    if cmp -s "$file" "$other"; then
        echo "reproducible: ${file##*/} identical ($(sha256sum <"$file" | cut -c1-16))"
    else
        echo "FAIL: ${file##*/} differs between the two builds:" >&2
        explain "$file" "$other" >&2
        status=1
    fi
done <"$work/one.files"
[ "$(wc -l <"$work/one.files")" -gt 0 ] || { echo "FAIL: no package was built" >&2; exit 1; }
exit "$status"
