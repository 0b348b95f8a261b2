#!/usr/bin/env bash
# Rebuilds a package CPack made, with dpkg-deb, so that the same commit always makes the same
# file: CPack's archives keep the modes the umask gave the folders it made, and its -dbgsym
# package lists its staging folder's absolute paths in md5sums (CMake 3.25). dpkg-deb sorts the
# entries and gives them to root; every time in it is SOURCE_DATE_EPOCH: the last commit's, or
# out of a git checkout, the changelog's newest entry's. A -dbgsym package also gets its
# documentation folder, a link to its package's, as Debian's own have.
# usage: deb-repack.sh PACKAGE.deb|PACKAGE.ddeb
set -euo pipefail
deb=$(realpath "$1")
source=$(dirname "$(realpath "$0")")/..
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct 2>/dev/null ||
        dpkg-parsechangelog -l "$source/data/debian/changelog" -S Timestamp)
fi
export SOURCE_DATE_EPOCH
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

dpkg-deb -R "$deb" "$tree"
package=$(dpkg-deb -f "$deb" Package)
if [ "${package%-dbgsym}" != "$package" ]; then
    mkdir -p "$tree/usr/share/doc"
    ln -s "${package%-dbgsym}" "$tree/usr/share/doc/$package"
fi
# As Debian's dh_strip leaves a program: without the compilers' names in .comment (CPack's strip
# keeps them); the symbols' files are data, not programs.
find "$tree" -path "$tree/DEBIAN" -prune -o -path "$tree/usr/lib/debug" -prune -o \
    -type f -perm -u+x -print0 | while IFS= read -r -d '' file; do
    [ "$(head -c4 "$file")" != $'\x7fELF' ] || objcopy --remove-section=.comment "$file"
done
(cd "$tree" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | LC_ALL=C sort -z |
    xargs -0r md5sum) >"$tree/DEBIAN/md5sums"
find "$tree" -type d -exec chmod 0755 {} +
find "$tree" -type f -perm -u+x -exec chmod 0755 {} +
find "$tree" -type f ! -perm -u+x -exec chmod 0644 {} +
[ ! -d "$tree/usr/lib/debug" ] || find "$tree/usr/lib/debug" -type f -exec chmod 0644 {} +
# dpkg-deb only clamps later times: a file checked out before the commit would keep its own.
find "$tree" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group --threads-max=1 --build "$tree" "$deb" >/dev/null
