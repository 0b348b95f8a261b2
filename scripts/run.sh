#!/usr/bin/env bash
# One entry point for a fresh Debian 12 or 13 machine: installs what is missing, then
#   play     builds the release and starts the game;
#   test     builds the development tree and runs every test, the Windows leg's included;
#   windows  builds Qt for Windows unless it is cached, cross-builds the game, leaves the
#            portable zip and the installer in dist/ and tests them under Wine; beside them
#            Qt's source, as the LGPL asks, and SHA256SUMS;
#   fresh-root [SUITE...] [--full]  both commands above on fresh minimal Debian roots: Debian
#            12 and 13 unless suites are named: bookworm, trixie (needs root);
#   arm64 [SUITE...]  the arm64 package cross-built on a fresh root of each suite, tested as
#            arm64 code under qemu-user, then installed and tested in a fresh arm64 root; the
#            packages go to dist/SUITE/ (needs root).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    fonts-liberation2
)
# build-essential and debhelper build the Debian package (debian/control's other Build-Depends
# are among the packages above); lintian, hardening-check (devscripts is the only package with
# it) and blhc, on its build log, judge it; reprotest builds it twice, with faketime and every
# locale to vary, and diffoscope to show a difference; gdb takes the backtraces an end-to-end
# test saves when a wait fails.
test_packages=(xvfb xauth xdotool x11-utils openbox dbus imagemagick clang-tidy cppcheck git
    dpkg-dev desktop-file-utils appstream at-spi2-core python3-pyatspi bc libxcb-damage0-dev
    mutter qt6-wayland python3-dbus make file build-essential debhelper lintian devscripts blhc
    reprotest faketime locales-all diffoscope-minimal gdb)
# Wine's own faces stand in for the Windows ones, as on a Wine desktop; unzip, icoutils and
# ImageMagick read the package as a player's Windows would; Qt's build script needs python3, and
# the packages take their time from the last commit through git.
windows_packages=(g++-mingw-w64-x86-64-posix dpkg-dev python3 git wine wine64 fonts-wine nsis
    zip unzip icoutils binutils imagemagick xvfb xauth xdotool x11-utils dbus)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Qt wants a private runtime directory; a bare root shell or CI has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi

# stage NAME COMMAND...: runs one stage of the test command and keeps its time for the summary.
stage_times=
stage() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    stage_times+=" $name $((SECONDS - start)),"
}

# A SHA256SUMS of everything in dist/, sorted, that `sha256sum -c SHA256SUMS` checks there.
dist_sums() {
    local sums
    sums=$(cd dist && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' |
        LC_ALL=C sort | xargs -r -d '\n' sha256sum --)
    printf '%s\n' "$sums" >dist/SHA256SUMS
}

# Builds the Debian packages as Debian does, from the tracked files as they are now, committed or
# not, and checks them without installing them. dpkg-buildpackage writes them beside the source
# folder, so the copy goes into a folder of its own; the packages are left in dist/.
debian_package() {
    local tmp rev
    tmp=$(mktemp -d)
    rev=$(git stash create)
    git archive --prefix=prizewell/ "${rev:-HEAD}" | tar -x -C "$tmp"
    (cd "$tmp/prizewell" && dpkg-buildpackage -us -uc -Jauto) 2>&1 | tee "$tmp/build.log"
    tests/package/deb-check.sh "$tmp"/prizewell_*.changes "$tmp/build.log"
    mkdir -p dist
    cp "$tmp"/prizewell*_*.deb dist/
    rm -rf "$tmp"
}

# Cross-builds and packages the game for Windows, and runs the Windows tests under Wine.
windows_leg() {
    local start=$SECONDS qt game
    PRIZEWELL_QT_WINDOWS=$(scripts/build-qt-windows.sh)
    export PRIZEWELL_QT_WINDOWS
    qt=$((SECONDS - start))
    # The icon packer runs on this machine at build time: the dev tree builds it.
    cmake --preset dev >/dev/null
    cmake --build --preset dev --target xpm2ico
    cmake --preset windows
    cmake --build --preset windows
    game=$((SECONDS - start - qt))
    # Packaging is the fixture of the package tests, so the zip and the installer are made here.
    # Two at a time, as in the dev tree: the Wine tests that need a display run alone.
    ctest --preset windows -j2
    mkdir -p dist
    cp build/windows/prizewell-*-windows-x64.zip build/windows/prizewell-*-windows-x64.exe dist/
    # Qt's Corresponding Source beside the packages: Debian's source package the DLLs were built
    # from, as fetched, and the script and toolchain file that built them.
    cp "$PRIZEWELL_QT_WINDOWS"/source/* scripts/build-qt-windows.sh cmake/mingw-w64-x86_64.cmake \
        dist/
    dist_sums
    echo "windows leg: Qt ${qt} s, game ${game} s, package and tests $((SECONDS - start - qt - game)) s"
}

case "${1:-}" in
play)
    install_missing "${packages[@]}"
    cmake --preset release >/dev/null
    cmake --build --preset release
    exec build/release/app/prizewell
    ;;
test)
    stage packages install_missing "${packages[@]}" "${test_packages[@]}" "${windows_packages[@]}"
    stage "dev build" eval 'cmake --preset dev && cmake --build --preset dev'
    stage "dev tests" ctest --preset dev -j2
    # The end-to-end tests twice more: a race between the programs they start fails here, named.
    stage "end-to-end repetitions" scripts/repeat-e2e.sh 2 build/dev
    # The same tests again under AddressSanitizer, UndefinedBehaviorSanitizer and
    # LeakSanitizer, end-to-end runs included. This tree uses CMake's default generator, so it
    # also proves a plain `cmake -S . -B build` build.
    stage "sanitizer build" eval 'cmake --preset asan &&
        cmake --build --preset asan --parallel "$(nproc)"'
    stage "sanitizer tests" env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j2
    stage "static analysis" scripts/static-analysis.sh build/dev
    stage "package" debian_package
    stage "windows leg" windows_leg
    # The packages built twice more by reprotest from a clean clone of HEAD: the same bytes.
    stage "reproducible builds" tests/package/reproducible.sh
    echo "test: every stage passed; times in seconds:$stage_times"
    ;;
windows)
    install_missing "${packages[@]}" "${windows_packages[@]}"
    windows_leg
    ;;
fresh-root)
    install_missing mmdebstrap piuparts dpkg-dev git
    shift
    exec scripts/fresh-root-check.sh "$@"
    ;;
arm64)
    # qemu-user-static runs arm64 programs through binfmt_misc, which binfmt-support registers
    # where systemd does not.
    install_missing mmdebstrap qemu-user-static binfmt-support dpkg-dev git
    shift
    exec scripts/fresh-root-check.sh "$@" arm64
    ;;
*)
    echo "usage: $0 play|test|windows|fresh-root [SUITE...] [--full]|arm64 [SUITE...]" >&2
    exit 2
    ;;
esac
