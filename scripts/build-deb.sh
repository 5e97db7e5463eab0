#!/usr/bin/env bash
# build-deb.sh [BUILD_DIR]: the Debian package, built the way Debian builds its own:
# the game alone, in Release, with dpkg-buildflags' hardening flags (stack protector,
# _FORTIFY_SOURCE, format checks, PIE, RELRO with immediate binding), laid out as
# Debian lays out games. Leaves fendwall_VERSION_ARCH.deb in BUILD_DIR (default
# build-deb) and prints its path last. JOBS sets the build's parallelism.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$src/build-deb}")
# The same commit gives the same bytes in any folder at any time. Every time stamp in the
# package is the newest NEWS entry's day (the changelog's, as Debian sets SOURCE_DATE_EPOCH)
# unless one is given; CPack takes it for the archives and their members, which it sorts
# and gives to root. Modes do not follow the caller's umask.
umask 022
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    release=$(sed -n 's/^[0-9][0-9.]* (\([0-9-]*\))$/\1/p;T;q' "$src/NEWS")
    SOURCE_DATE_EPOCH=$(date -u -d "${release:?no release date in NEWS}" +%s)
fi
export SOURCE_DATE_EPOCH
# dpkg-buildflags maps the folder it runs in out of the debugging paths; the build folder
# is mapped too (the later map wins), or it would change the binary's build id.
cd "$src"
# Debian 12's defaults leave out immediate binding; +all adds it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flag() { dpkg-buildflags --get "$1"; }
map="-ffile-prefix-map=$build=build"
# CMake has no CPPFLAGS; the preprocessor's flags go with each compiler's.
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DFENDWALL_TESTS=OFF -DFENDWALL_BENCH=OFF -DFENDWALL_TOOLS=OFF -DFENDWALL_DEBIAN_LAYOUT=ON \
    -DCMAKE_C_FLAGS="$(flag CFLAGS) $(flag CPPFLAGS) $map" \
    -DCMAKE_CXX_FLAGS="$(flag CXXFLAGS) $(flag CPPFLAGS) $map" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)" >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}"
rm -f "$build"/fendwall_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/fendwall_*.deb
