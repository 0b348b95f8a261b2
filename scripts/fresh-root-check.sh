#!/usr/bin/env bash
# The README's two commands on a fresh minimal Debian root, then the package installed and
# started in another fresh root of the same suite: what a new machine, with nothing but what the
# commands install, makes of the project. Then piuparts: each package installed, removed and
# purged, and, with both suites, a Debian 12 player's copy through the upgrade to Debian 13. It
# needs root and takes long.
#   fresh-root-check.sh [SUITE...]          the check on each SUITE (bookworm, trixie; by default
#                                           the suites a pass needs), on a clean clone of this
#                                           repository's HEAD, with this machine's Qt for Windows
#                                           copied in: the test command builds Qt again only if
#                                           its build there differs
#   fresh-root-check.sh [SUITE...] --full   the same with nothing cached but the bare root
#   fresh-root-check.sh [SUITE...] prepare  only make the cached roots
#   fresh-root-check.sh [SUITE...] package  only the source package's build and tests
#   fresh-root-check.sh [SUITE...] arm64    the arm64 package cross-built from the committed
#                                           files on a fresh root of each SUITE, its tests run
#                                           as arm64 code under qemu-user, blhc, lintian and a
#                                           second build; then installed and tested in a fresh
#                                           arm64 root; left in dist/SUITE/
#   fresh-root-check.sh --needed            exit 0 if HEAD's set-up differs from the last pass
# A pass is recorded in .ci/fresh-root.pass with a fingerprint of the set-up: the scripts that
# install packages, build, and start the displays, sessions and prefixes the tests run in. It
# needs every suite in $pass_suites, checked in one run. .ci/run runs the check on its own
# machine's suite whenever HEAD's fingerprint is not the recorded one; commit the record with
# the change it checked.
# Each bare root (mmdebstrap --variant=minbase SUITE, and of arm64 for the arm64 check) is
# cached as a tarball in $PRIZEWELL_ROOT_CACHE (default ~/.cache/prizewell); $PRIZEWELL_MIRROR
# overrides the archive it is made from (default: the Debian archive in this machine's apt
# sources). Each check unpacks the tarball into a throwaway folder under ${TMPDIR:-/var/tmp},
# removed afterwards. Into it go the clone and, so that it reaches the archive the way this
# machine does, this machine's apt sources with their suite names made the root's, apt proxy
# settings and resolv.conf: nothing else. Commands run there as root under chroot, in mount and
# PID namespaces of their own, so that nothing they mounted or started outlives them, even when
# they fail.
set -euo pipefail
# Say which command failed: a failure deep inside a root is otherwise silent.
set -E
trap 'echo "FAIL: $0 line $LINENO: $BASH_COMMAND" >&2' ERR
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${PRIZEWELL_ROOT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/prizewell}
qt_cache=${PRIZEWELL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/prizewell}
record=$here/.ci/fresh-root.pass
# What decides what a new machine installs and how the tests are set up there.
setup_files=(.ci/run CMakePresets.json scripts tests/e2e/*.sh tests/e2e/lsan.supp
    tests/windows/*.sh tests/package)
# The suites this check knows, and those a recorded pass needs.
known_suites=(bookworm trixie)
pass_suites=(bookworm trixie)
# Marks a throwaway root, so the steps meant for one never run on a real machine.
marker=/.prizewell-throwaway-root

step() { printf '\n== [%s] %s\n' "$(date +%T)" "$*"; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
apt_install() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

# --- Inside a throwaway root -------------------------------------------------------------

# The README's commands: play must build and show the game's window, test must pass.
inside_readme() {
    cd /src
    step "scripts/run.sh play, watched on Xvfb"
    # Only the display and a way to see its windows; play installs the rest itself.
    apt-get update -qq
    apt_install xvfb xdotool
    # A subshell, so that the display's DISPLAY does not outlive it into the test command.
    (
        # shellcheck source=tests/e2e/xsession.sh
        . tests/e2e/xsession.sh
        trap stop_all EXIT
        start_display
        scripts/run.sh play &
        GAME_PID=$!
        until [ "$(window_count Prizewell)" -eq 1 ]; do
            kill -0 "$GAME_PID" 2>/dev/null || fail "scripts/run.sh play ended without a window"
            sleep 2
        done
        echo "play: the game's window is up on $DISPLAY"
    )

    step "scripts/run.sh test"
    local start=$SECONDS
    scripts/run.sh test
    echo "test: passed in $((SECONDS - start)) s"
}

# fingerprint [COMMIT]: of the set-up as committed, HEAD's by default.
fingerprint() {
    (cd "$here" && git ls-tree -r "${1:-HEAD}" -- "${setup_files[@]}" | sha256sum | cut -c1-16)
}

# The source package, as Debian builds it: in a root with nothing but its build dependencies,
# installed from debian/control alone, so that one missing there fails the build by name. Then
# blhc on its log, lintian on the .changes, and autopkgtest: the package installed, started and
# played.
inside_package() {
    step "build dependencies from debian/control alone"
    apt-get update -qq
    apt_install devscripts equivs
    cd /build/prizewell
    mk-build-deps --install --remove \
        --tool 'apt-get -y -qq -o Debug::pkgProblemResolver=yes --no-install-recommends' \
        debian/control
    rm -f prizewell-build-deps_*
    step "dpkg-buildpackage -us -uc from a clean checkout"
    dpkg-buildpackage -us -uc 2>&1 | tee /build/build.log
    cp /build/prizewell_*.deb /tmp/
    step "blhc on the build log"
    apt_install blhc
    blhc --all /build/build.log || fail "blhc: a build line lacks a hardening flag"
    step "lintian on the .changes"
    apt_install lintian
    lintian --display-info /build/prizewell_*.changes 2>&1 | tee /build/lintian || true
    ! grep -Eq '^[EW]: ' /build/lintian || fail "lintian: errors or warnings"
    step "autopkgtest on the .changes"
    apt_install autopkgtest
    autopkgtest /build/prizewell_*.changes -- null
    echo "package: built from debian/control's dependencies alone, lintian-clean, tested as installed"
}

# The arm64 package, cross-built as Debian cross-builds: the host architecture's build
# dependencies, and the build machine's :native ones, from debian/control alone. Its widget and
# command-line tests run as arm64 code under qemu-user; one that cannot start its binary fails
# with the emulator's or the loader's reason. Then blhc, lintian, and reprotest: a second
# build, varied, must give the same bytes.
inside_cross() {
    local arch=arm64
    step "$arch build dependencies from debian/control alone"
    dpkg --add-architecture "$arch"
    apt-get update -qq
    apt_install "crossbuild-essential-$arch"
    cd /build/prizewell
    DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq --no-install-recommends \
        --host-architecture "$arch" --build-profiles cross ./ >/dev/null
    step "dpkg-buildpackage --host-arch $arch -Pcross -us -uc -b, the tests under qemu-user"
    dpkg-buildpackage --host-arch "$arch" -Pcross -us -uc -b >/build/build.log 2>&1 ||
        { tail -n 80 /build/build.log; fail "the $arch build"; }
    grep -E '^ *[0-9]+/[0-9]+ Test|tests passed' /build/build.log
    cp /build/prizewell*_"$arch".deb /tmp/
    step "blhc on the build log"
    apt_install blhc
    # blhc judges every line by the host architecture's flags. It excuses CMake's look at the
    # compiler's predefined macros, which Qt's moc asks for, under the native compiler's name
    # only: the same line under the cross compiler's is excused here. So are the build
    # machine's own compiler lines: they build the icon packer that runs during the build, with
    # that machine's flags, and nothing of them ships.
    local cxx macros
    cxx=/usr/bin/$(dpkg-architecture -a "$arch" -q DEB_HOST_GNU_TYPE 2>/dev/null)-g++
    macros="${cxx//+/\\+}( -std=\\S+)? -dM -E -c /usr/share/cmake-[0-9.]+/Modules/CMakeCXXCompilerABI\\.cpp .*"
    blhc --all --ignore-line "$macros" --ignore-line '\s*/usr/bin/c\+\+ .*' /build/build.log ||
        fail "blhc: a build line lacks a hardening flag"
    step "lintian on the .changes"
    apt_install lintian
    lintian --display-info /build/prizewell_*.changes 2>&1 | tee /build/lintian || true
    ! grep -Eq '^[EW]: ' /build/lintian || fail "lintian: errors or warnings"
    step "reprotest: the $arch packages built twice"
    apt_install reprotest faketime locales-all diffoscope-minimal git
    /src/tests/package/reproducible.sh /src --host-arch "$arch"
}

# A package built elsewhere, installed and tested: another suite's, where a player who upgraded
# has it, or another architecture's, in a root of that architecture.
inside_installed() {
    apt-get update -qq
    apt_install autopkgtest
    cd /src
    autopkgtest /tmp/prizewell_*.deb /src -- null
    echo "package: $(dpkg-deb -f /tmp/prizewell_*.deb Version) installed and tested"
}

# --- On this machine ------------------------------------------------------------------------

roots=()
cleanup() {
    local status=$? r
    [ "$status" -eq 0 ] || echo "fresh-root check: FAILED (status $status) after $SECONDS s" >&2
    for r in "${roots[@]}"; do
        # The namespaces took their mounts with them; never delete through a mount.
        if grep -qF " $r/" /proc/self/mountinfo; then
            echo "left in place, still mounted: $r" >&2
        else
            rm -rf --one-file-system "$r"
        fi
    done
}

# The Debian suite this machine's apt sources name, whose names a root's copy replaces.
host_suite() {
    # shellcheck disable=SC2016 # apt's format fields, not shell expansions
    apt-get indextargets --format '$(RELEASE) $(SITE)' |
        awk '$2 !~ /security/ { sub(/-.*/, "", $1); print $1; exit }'
}

# The Debian archive in this machine's apt sources, or $PRIZEWELL_MIRROR.
mirror() {
    local mirror=${PRIZEWELL_MIRROR:-}
    if [ -z "$mirror" ]; then
        # shellcheck disable=SC2016 # apt's format fields, not shell expansions
        mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(SITE)' |
            awk '$2 !~ /-/ && $3 !~ /security/ { print $1; exit }')
    fi
    [ -n "$mirror" ] || fail "no Debian archive in the apt sources; set PRIZEWELL_MIRROR"
    echo "$mirror"
}

# tarball SUITE [ARCH]: where the bare root of SUITE, for ARCH if not this machine's, is cached.
tarball() { echo "$cache/$1${2:+-$2}-minbase.mmdebstrap.tar.gz"; }

# make_cache SUITE [ARCH]: the cached bare root of SUITE, made once. Another architecture's
# runs its programs under qemu-user, through binfmt_misc; mmdebstrap says so if it cannot.
make_cache() {
    local suite=$1 arch=${2:-} tarball
    tarball=$(tarball "$suite" "$arch")
    [ -s "$tarball" ] && return 0
    local mirror
    mirror=$(mirror)
    step "mmdebstrap --variant=minbase ${arch:+--architectures=$arch }$suite from $mirror"
    mkdir -p "$cache"
    # The host's resolv.conf and hostname stay out: each check brings its own.
    # shellcheck disable=SC2016 # mmdebstrap's hook expands its own argument
    mmdebstrap --variant=minbase ${arch:+--architectures=$arch} \
        --customize-hook='rm -f "$1/etc/resolv.conf" "$1/etc/hostname"' \
        "$suite" - "$mirror" | gzip >"$tarball.part"
    mv "$tarball.part" "$tarball"
}

# new_root SUITE [ARCH]: unpacks a throwaway root of SUITE with a clean clone in /src, named in
# $root.
root=
new_root() {
    local suite=$1
    root=$(mktemp -d -p "${TMPDIR:-/var/tmp}" "prizewell-$suite.XXXXXX")
    roots+=("$root")
    tar -C "$root" --numeric-owner -xzf "$(tarball "$suite" "${2:-}")"
    # mktemp's 0700 would keep apt's and other daemons' own users out of the whole root.
    chmod 0755 "$root"
    rm -rf "$root/etc/apt/sources.list" "$root/etc/apt/sources.list.d"
    mkdir "$root/etc/apt/sources.list.d"
    # The same archives, asked for the root's suite: bookworm-security becomes trixie-security.
    local f from
    from=$(host_suite)
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        sed -E "s/\\b$from\\b/$suite/g" "$f" >"$root$f"
    done
    apt-config dump | { grep -i proxy || true; } >"$root/etc/apt/apt.conf.d/80host-proxy"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    git clone -q --no-hardlinks "$here" "$root/src"
    git -C "$root/src" checkout -q --detach "$commit"
    touch "$root$marker"
}

# Copies this machine's finished Qt for Windows builds into the root, where the test command's
# build script takes one only if its key, the Qt build's own inputs there, is the same.
copy_qt_cache() {
    local qt
    mkdir -p "$1/root/.cache/prizewell"
    for qt in "$qt_cache"/qt-windows-*/; do
        [ -f "$qt/.complete" ] || continue
        echo "Qt for Windows from this machine: $qt"
        cp -a "$qt" "$1/root/.cache/prizewell/"
    done
}

# piuparts_on SUITE OPTION... PACKAGE...: piuparts on this machine, starting from the cached bare
# root of SUITE. Its log (every command and its output) goes to a file; its verdicts show here,
# and on a failure everything from the first error, such as the files a purge left behind.
piuparts_on() {
    local suite=$1 log
    shift
    log=$(mktemp -p "${TMPDIR:-/var/tmp}" prizewell-piuparts.XXXXXX)
    roots+=("$log")
    # Debian 13's debconf leaves the folder it unpacks the dependencies' config scripts in;
    # Debian 12's piuparts ignores the rest of /var/cache/debconf/ but not that yet.
    if ! piuparts --basetgz="$(tarball "$suite")" --mirror="$(mirror)" \
        --tmpdir="${TMPDIR:-/var/tmp}" --ignore=/var/cache/debconf/tmp.ci/ "$@" >"$log" 2>&1; then
        sed -n '/ ERROR: /,$p' "$log" | grep -v ' DEBUG: ' >&2
        fail "piuparts from a $suite root: see above"
    fi
    grep -E ' (PASS|WARNING): ' "$log"
}

# in_root ROOT COMMAND...: runs COMMAND as root in ROOT with a bare environment.
# shellcheck disable=SC2016 # the inner script expands its own arguments
in_root() {
    unshare --mount --pid --fork --propagation private -- bash -euo pipefail -c '
        root=$1
        shift
        mount -t proc proc "$root/proc"
        mount -t sysfs sysfs "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs tmpfs "$root/dev/shm"
        chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
    ' in-root "$@"
}

case "${1:-}" in
inside-readme | inside-package | inside-cross | inside-installed)
    [ -e "$marker" ] || fail "$1 runs only inside a throwaway root"
    "inside_${1#inside-}"
    exit
    ;;
--needed)
    recorded=
    [ ! -f "$record" ] || recorded=$(sed -n 's/^fingerprint //p' "$record")
    if [ "$recorded" != "$(fingerprint)" ]; then exit 0; else exit 1; fi
    ;;
esac
full=
prepare=
package_only=
cross=
suites=()
for arg; do
    case $arg in
    --full) full=yes ;;
    prepare) prepare=yes ;;
    package) package_only=yes ;;
    arm64) cross=$arg ;;
    *)
        if [[ " ${known_suites[*]} " == *" $arg "* ]]; then
            suites+=("$arg")
            continue
        fi
        echo "usage: $0 [${known_suites[*]}] [--full | prepare | package | arm64] | --needed" >&2
        exit 2
        ;;
    esac
done
[ ${#suites[@]} -gt 0 ] || suites=("${pass_suites[@]}")

[ "$(id -u)" -eq 0 ] || fail "run as root: it makes and enters chroots"
for tool in mmdebstrap piuparts dpkg-scanpackages unshare chroot git; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
trap cleanup EXIT
start=$SECONDS
# Every root checks the commit that was HEAD when the check began.
commit=$(git -C "$here" rev-parse HEAD)
for suite in "${suites[@]}"; do
    make_cache "$suite"
    [ -z "$cross" ] || make_cache "$suite" "$cross"
done
[ -z "$prepare" ] || exit 0

summaries=()
if [ -n "$cross" ]; then
    for suite in "${suites[@]}"; do
        suite_start=$SECONDS
        step "$suite: the $cross package cross-built on a fresh root"
        new_root "$suite"
        mkdir "$root/build"
        git -C "$here" archive --prefix=prizewell/ "$commit" | tar -x -C "$root/build"
        in_root "$root" /src/scripts/fresh-root-check.sh inside-cross
        mkdir -p "$here/dist/$suite"
        cp "$root"/tmp/prizewell*_"$cross".deb "$here/dist/$suite/"
        build_time=$((SECONDS - suite_start))

        step "$suite: the $cross package installed and tested on a fresh $cross root"
        new_root "$suite" "$cross"
        cp "$here/dist/$suite/prizewell_"*"_$cross.deb" "$root/tmp/"
        in_root "$root" /src/scripts/fresh-root-check.sh inside-installed
        summaries+=("$suite: $cross passed in $((SECONDS - suite_start)) s (cross-build, tests")
        summaries[-1]+=" and second build $build_time s; installed and tested under emulation"
        summaries[-1]+=" $((SECONDS - suite_start - build_time)) s); in dist/$suite/"
    done
    printf '\nfresh-root check: %s\n' "${summaries[@]}"
    echo "not recorded: only the $cross package was checked"
    exit 0
fi
declare -A debs
for suite in "${suites[@]}"; do
    suite_start=$SECONDS
    if [ -z "$package_only" ]; then
        step "$suite: the README's commands on a fresh root"
        new_root "$suite"
        readme_root=$root
        [ -n "$full" ] || copy_qt_cache "$readme_root"
        in_root "$readme_root" /src/scripts/fresh-root-check.sh inside-readme
    fi
    readme_time=$((SECONDS - suite_start))

    step "$suite: the source package on another fresh root"
    new_root "$suite"
    # The checkout's files as committed, with no git in the root to build them with.
    mkdir "$root/build"
    git -C "$here" archive --prefix=prizewell/ "$commit" | tar -x -C "$root/build"
    in_root "$root" /src/scripts/fresh-root-check.sh inside-package
    debs[$suite]=$(echo "$root"/tmp/prizewell_*.deb)
    package_time=$((SECONDS - suite_start - readme_time))
    summaries+=("$suite passed in $((SECONDS - suite_start)) s (README commands $readme_time s;")
    summaries[-1]+=" package check $package_time s)"
done
# Installed, removed and purged in a root of its suite, leaving nothing behind.
for suite in "${suites[@]}"; do
    piuparts_start=$SECONDS
    step "piuparts: $suite's package installed, removed and purged"
    piuparts_on "$suite" -d "$suite" "${debs[$suite]}"
    summaries+=("piuparts on $suite passed in $((SECONDS - piuparts_start)) s")
done
# A Debian 12 player's copy through the system's upgrade to Debian 13, then Debian 13's package
# over it: piuparts takes the first from an archive, here a folder with just that package.
if [ -n "${debs[bookworm]:-}" ] && [ -n "${debs[trixie]:-}" ]; then
    piuparts_start=$SECONDS
    step "piuparts: bookworm's package, upgraded with the system to trixie, then trixie's"
    repo=$(mktemp -d -p "${TMPDIR:-/var/tmp}" prizewell-repo.XXXXXX)
    roots+=("$repo")
    chmod 0755 "$repo"
    cp "${debs[bookworm]}" "$repo/"
    (cd "$repo" && dpkg-scanpackages . >Packages)
    piuparts_on bookworm -d bookworm -d trixie --bindmount="$repo" \
        --extra-repo="deb [trusted=yes] file://$repo ./" "${debs[trixie]}"
    summaries+=("piuparts, bookworm to trixie, passed in $((SECONDS - piuparts_start)) s")
fi
# A player who upgrades keeps the package built on the older suite.
if [ -n "${debs[bookworm]:-}" ] && [[ " ${suites[*]} " == *" trixie "* ]]; then
    upgrade_start=$SECONDS
    step "bookworm's package on a fresh trixie root"
    new_root trixie
    cp "${debs[bookworm]}" "$root/tmp/"
    in_root "$root" /src/scripts/fresh-root-check.sh inside-installed
    summaries+=("bookworm's package on trixie passed in $((SECONDS - upgrade_start)) s")
fi

echo
printf 'fresh-root check: %s\n' "${summaries[@]}"
if [ -n "$package_only" ]; then
    echo "not recorded: only the source package was checked"
    exit 0
fi
for suite in "${pass_suites[@]}"; do
    if [[ " ${suites[*]} " != *" $suite "* ]]; then
        echo "not recorded: a pass needs ${pass_suites[*]}, and ${suites[*]} was checked"
        exit 0
    fi
done
mode="Qt for Windows reused where its build had not changed"
[ -z "$full" ] || mode="full, nothing cached but the bare roots"
{
    printf 'fingerprint %s\ncommit %s\nmode %s\n' "$(fingerprint "$commit")" \
        "$(git -C "$here" rev-parse --short "$commit")" "$mode"
    printf '%s\n' "${summaries[@]}" "total $((SECONDS - start)) s"
} >"$record"
echo "recorded in ${record#"$here"/}: commit it with the change it checked"
