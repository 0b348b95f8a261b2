#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, cross-compiled with
# mingw-w64, and prints the folder it is installed in. The build is cached, keyed by the
# source version and this script's configure options, so a second run only prints the path.
#
#   PRIZEWELL_CACHE  where builds are kept (default: ~/.cache/prizewell)
#
# Needs: dpkg-dev, g++-mingw-w64-x86-64-posix, cmake, ninja-build, qt6-base-dev-tools
# (the host Qt whose moc, rcc and uic the cross build runs), python3.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${PRIZEWELL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/prizewell}
toolchain=$here/cmake/mingw-w64-x86_64.cmake

# Only what the game and its tests load: Core, Gui, Widgets, Test and the windows and
# offscreen platform plugins. OpenGL stays on because 6.4's windows plugin does not
# compile without it; Debian's source lacks the tablet header the plugin would include.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF
    # No link time in the PE headers, so that the DLLs are the same bytes on every build.
    "-DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-insert-timestamp"
    "-DCMAKE_MODULE_LINKER_FLAGS=-Wl,--no-insert-timestamp"
    "-DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp"
)

# A private apt configuration that adds deb-src lines for the suites the machine already
# uses, so the machine's own sources are left as they are.
apt_private() {
    local dir=$1
    mkdir -p "$dir/lists/partial" "$dir/sources.list.d"
    local src
    for src in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$src" ] || continue
        case $src in
        *.sources) sed -E 's/^Types:.*/Types: deb-src/' "$src" >"$dir/sources.list.d/$(basename "$src")" ;;
        *) sed -nE 's/^deb (.*)/deb-src \1/p' "$src" >"$dir/sources.list.d/$(basename "$src")" ;;
        esac
    done
    : >"$dir/sources.list"
}

apt_opts() {
    local dir=$1
    echo "-o Dir::Etc::SourceList=$dir/sources.list -o Dir::Etc::SourceParts=$dir/sources.list.d"
    echo "-o Dir::State::Lists=$dir/lists -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache="
    echo "-o APT::Sandbox::User=root"
}

version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[ -n "$version" ] || { echo "build-qt-windows: qt6-base-dev is not installed" >&2; exit 1; }
# From 6.6 on Qt builds in unity mode and its windows plugin needs no OpenGL, so newer Qt
# also leaves out OpenGL (dynamicgl, its run-time choice of driver, with it) and the GIF and
# ICO image plugins, which the game never loads.
# Direct2D stays, as 6.8's DirectWrite font database does not compile without it, and so
# does FreeType: Qt's offscreen platform, which the widget tests run on under Wine, needs it.
# 6.4 has no unity build, and its windows plugin needs OpenGL. It leaves out instead what no
# platform plugin needs: Direct2D's plugin (a second copy of the windows one) with the DirectWrite
# 3 font database, which 6.4's Gui builds only with Direct2D though the windows plugin asks for it
# without; HarfBuzz (the font engines shape Latin text themselves); style sheets; and the
# widgets, text formats and image plugins the game never uses.
if dpkg --compare-versions "$version" ge 6.6; then
    options+=(-DQT_UNITY_BUILD=ON -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
        -DFEATURE_gif=OFF -DFEATURE_ico=OFF)
else
    for feature in direct2d directwrite3 harfbuzz style_stylesheet gif ico pdf textodfwriter \
        textmarkdownreader textmarkdownwriter undocommand undostack undogroup undoview \
        graphicsview graphicseffect mdiarea calendarwidget datetimeedit columnview wizard dial \
        lcdnumber keysequenceedit fontcombobox; do
        options+=("-DFEATURE_$feature=OFF")
    done
fi
key=$(printf '%s\n' "$version" "${options[@]}" "$(cat "$toolchain")" | sha256sum | cut -c1-12)
prefix=$cache/qt-windows-${version//[^A-Za-z0-9.]/_}-$key

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/qt-windows-work-$key
rm -rf "$work"
mkdir -p "$work"
start=$SECONDS

apt_private "$work/apt"
# shellcheck disable=SC2046
apt-get $(apt_opts "$work/apt") update -qq >&2
# shellcheck disable=SC2046
(cd "$work" && apt-get $(apt_opts "$work/apt") source -qq "qt6-base=$version" >&2)
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
[ -d "$src" ] || { echo "build-qt-windows: no source unpacked in $work" >&2; exit 1; }

cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${options[@]}" >&2
cmake --build "$work/build" --parallel "$(nproc)" >&2
cmake --install "$work/build" >&2
# What the LGPL and the bundled code's own licences ask a distributor to hand on:
#  source/   the Debian source package the DLLs were built from, as fetched;
#  licenses/ Qt's licence texts;
#  notices/  every attribution file of the source, the licence files beside them and Debian's
#            copyright file, with sources-used.txt: every source file and header the build
#            compiled, so that packaging can tell which bundled components are in the DLLs.
mkdir -p "$prefix/source" "$prefix/licenses" "$prefix/notices"
find "$work" -maxdepth 1 -type f \( -name '*.dsc' -o -name '*.tar.*' \) -exec cp {} "$prefix/source/" \;
cp "$src"/LICENSES/LGPL-3.0-only.txt "$src"/LICENSES/GPL-3.0-only.txt "$prefix/licenses/" 2>/dev/null ||
    cp "$src"/LICENSE.LGPL3 "$src"/LICENSE.GPL3 "$prefix/licenses/"
python3 - "$src" "$prefix/notices" <<'PY'
import json, pathlib, shutil, sys
src, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
def keep(path):
    (out / path.relative_to(src)).parent.mkdir(parents=True, exist_ok=True)
    shutil.copy(path, out / path.relative_to(src))
for attribution in src.rglob("qt_attribution.json"):
    keep(attribution)
    entries = json.loads(attribution.read_text(encoding="utf-8"), strict=False)
    for entry in entries if isinstance(entries, list) else [entries]:
        names = entry.get("LicenseFiles", []) + [entry.get("LicenseFile", "")]
        for name in filter(None, names):
            if (attribution.parent / name).is_file():
                keep(attribution.parent / name)
keep(src / "debian" / "copyright")
PY
ninja -C "$work/build" -t deps | sed -nE 's/^    (.*)$/\1/p' | sort -u |
    (cd "$work/build" && xargs realpath -m --relative-to="$src") | grep -v '^\.\./' | sort -u \
    >"$prefix/notices/sources-used.txt"
touch "$prefix/.complete"
rm -rf "$work"
echo "build-qt-windows: Qt $version for Windows built in $((SECONDS - start)) s" >&2
echo "$prefix"
