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
# The packaging takes the last commit's time itself, as for any build; none is handed down.
unset SOURCE_DATE_EPOCH

# A builder builds what is shipped in the clone it is given, as the test command does, and
# prints the paths of the files made, one a line. Every builder runs in both clones.
builders=(build_linux)

# shellcheck disable=SC2317 # called through $builders
build_linux() {
    (
        cd "$1"
        cmake --preset release >/dev/null
        cmake --build --preset release --parallel "$(nproc)" >/dev/null
        cd build/release
        cpack -G DEB >/dev/null
    )
    ls "$1"/build/release/prizewell*_*.deb "$1"/build/release/prizewell*_*.ddeb
}

# build TREE TZ LOCALE UMASK [TIME]: clones HEAD into $work/TREE, its files dated TIME if given
# (as in a checkout older than the commit), and builds there under those settings.
build() {
    local tree=$1
    git clone -q "$repo" "$work/$tree"
    [ -z "${5:-}" ] ||
        find "$work/$tree" -path "$work/$tree/.git" -prune -o -exec touch -d "$5" {} +
    (
        export TZ=$2 LC_ALL=$3
        umask "$4"
        for builder in "${builders[@]}"; do
            "$builder" "$work/$tree"
        done >"$work/$tree.files"
    )
}

# explain A B: what differs between two .deb files, member by member, then file by file.
explain() {
    local a=$1 b=$2 d m
    case $a in *.deb | *.ddeb) ;; *) return 0 ;; esac
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
