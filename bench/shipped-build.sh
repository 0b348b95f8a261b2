# Sourced by the benchmarks: builds the game and the baselines in build/shipped with the flags
# the Debian package is built with (debian/rules' build options through dpkg-buildflags, and no
# CMake build type, as debhelper configures), so that what is timed is what a player runs.
# shellcheck shell=bash
shipped_dir=build/shipped
build_as_shipped() {
    local options
    # debian/rules exports its DEB_* options for dpkg-buildflags: the same ones here.
    options=$(sed -n 's/^export \(DEB_[A-Z_]*\) *= *\(.*\)$/\1=\2/p' debian/rules)
    [ -n "$options" ] || { echo "no build options found in debian/rules" >&2; return 1; }
    (
        while IFS= read -r option; do export "${option?}"; done <<<"$options"
        flag() { dpkg-buildflags --get "$1"; }
        # On the command line rather than in the environment, which CMake reads at the first
        # configure only: a changed flag then rebuilds what it touches, not the whole tree.
        # CMake reads no CPPFLAGS: debhelper adds them to the compilers' flags, and so does this.
        cmake -S . -B "$shipped_dir" -G Ninja -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF \
            -DPRIZEWELL_BENCH=ON \
            -DCMAKE_C_FLAGS="$(flag CFLAGS) $(flag CPPFLAGS)" \
            -DCMAKE_CXX_FLAGS="$(flag CXXFLAGS) $(flag CPPFLAGS)" \
            -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)" \
            -DCMAKE_SHARED_LINKER_FLAGS="$(flag LDFLAGS)" \
            -DCMAKE_MODULE_LINKER_FLAGS="$(flag LDFLAGS)" >/dev/null
        cmake --build "$shipped_dir" >/dev/null
    )
}
