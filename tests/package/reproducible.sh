#!/usr/bin/env bash
# The packages built twice by reprotest from a clean clone of HEAD, the second build in another
# path, at another (faked) time, with its files dated otherwise, in another time zone and locale,
# with another umask, environment, HOME, PATH, kernel version and ASLR; they must be the same
# byte for byte, and where they are not, diffoscope shows the difference. Not varied: the build's
# user and group, host and domain names (they need a second user and a UTS namespace), file
# ordering (it needs FUSE for disorderfs) and the number of CPUs (one build on one core would
# double its time).
#   reproducible.sh [REPOSITORY] [--host-arch ARCH]
# REPOSITORY is this checkout by default; only its commits are cloned. With --host-arch, only
# the Debian packages, cross-built for ARCH.
set -euo pipefail
repo=$(realpath "${1:-$(dirname "$0")/../..}")
host_arch=
[ "${2:-}" != --host-arch ] || host_arch=${3:?--host-arch needs an architecture}
work=$(mktemp -d -p "${TMPDIR:-/tmp}" prizewell-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
# Each packaging takes its time itself, as for any build (the Debian packages the changelog's,
# the Windows ones the last commit's); none is handed down.
unset SOURCE_DATE_EPOCH
git clone -q "$repo" "$work/prizewell"
cd "$work/prizewell"

# Each build's files dated in 2001 at the time of day the build starts: as in old checkouts,
# older than any changelog entry, so that no clamping hides their dates, and not alike.
# shellcheck disable=SC2016 # expanded where each build starts
redate='find . -path ./.git -prune -o -exec touch --no-dereference -d "2001-01-01 $(date +%T)" {} +'

# reprotest_twice NAME BUILD-COMMAND ARTIFACTS: the build's output goes to a log, shown where
# the build fails; what reprotest found shows here.
reprotest_twice() {
    local log=$work/$1.log start=$SECONDS
    if reprotest --vary=-user_group,-domain_host,-fileordering,-num_cpus \
        --testbed-build-pre "$redate" -c "$2" . "$3" -- null >"$log" 2>&1; then
        sed -n '/^Reproduction successful/,$p' "$log" | grep -Ev '^(=+|However.*)$' |
            sed "s/^/$1: /"
        echo "$1: two builds in $((SECONDS - start)) s"
        return 0
    fi
    echo "FAIL: the $1 packages differ between the two builds, or a build failed:" >&2
    if grep -q '^--- .*/control$' "$log"; then
        # diffoscope's report without its hex dumps (a compressed installer's run to a million
        # lines), cut short.
        sed -n '/^--- .*\/control$/,$p' "$log" | grep -Ev '^[│├└ ]*[-+ ][0-9a-f]{8}: ' |
            head -n 400 >&2
    else
        tail -n 60 "$log" >&2
    fi
    return 1
}

status=0
if [ -n "$host_arch" ]; then
    reprotest_twice "debian-$host_arch" "DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b \
        -Jauto --host-arch $host_arch -Pcross,nocheck" "../*_$host_arch.deb"
    exit
fi
# Their tests ran in the package stage: a package built without them must be the same.
reprotest_twice debian 'DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b -Jauto' \
    '../*.deb' || status=1
# The Windows packages are built where Qt for Windows is (PRIZEWELL_QT_WINDOWS, as
# scripts/run.sh sets it), each build with its own icon packer, so that it is no shared input;
# without their tests, as for Debian's.
if [ -n "${PRIZEWELL_QT_WINDOWS:-}" ]; then
    reprotest_twice windows "export PRIZEWELL_QT_WINDOWS=$PRIZEWELL_QT_WINDOWS
        cmake --preset dev >/dev/null
        cmake --build --preset dev --target xpm2ico --parallel \$(nproc) >/dev/null
        cmake --preset windows -DBUILD_TESTING=OFF >/dev/null
        cmake --build --preset windows --parallel \$(nproc) >/dev/null
        cd build/windows && cpack -G 'ZIP;NSIS' >/dev/null" \
        'build/windows/prizewell-*-windows-x64.zip build/windows/prizewell-*-windows-x64.exe' ||
        status=1
else
    echo "reproducible: PRIZEWELL_QT_WINDOWS is not set: the Windows packages are not compared"
fi
exit "$status"
