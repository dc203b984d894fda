#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own source packages, the same Qt
# versions as Debian's Qt of the Linux program (qtbase, then Qt Multimedia for
# the voice messages), with only what the program uses, and installs it into a
# cache folder outside the checkout:
#
#   /var/cache/qz5kv-windows-qt/<Debian source version>-<key>/
#
# The key is a hash of the build options, the toolchain file and the patches
# in packaging/windows/patches/, so a changed version or option builds anew
# and an unchanged one is reused. Prints the folder on its last line.
# Debian's host tools (moc, rcc, uic) of the same version do the host's part.
#
#   scripts/windows-qt.sh            (QZ_WINDOWS_QT_CACHE moves the cache)
#   scripts/windows-qt.sh --cached   only says whether it is built: prints the
#                                    folder, or fails without building
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$PWD

cache=${QZ_WINDOWS_QT_CACHE:-/var/cache/qz5kv-windows-qt}
toolchain=$checkout/cmake/mingw-w64.cmake
patches=$checkout/packaging/windows/patches
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
multimedia_version=$(dpkg-query -W -f='${source:Version}' qt6-multimedia-dev)
mingw_lib=/usr/x86_64-w64-mingw32/lib

# Only what the program uses: Core, Gui, Widgets, Network (rigctld), and the
# Windows platform and style plug-ins; no second (Direct2D) platform plug-in,
# no JPEG or FreeType (Windows draws the fonts). Tablet events need wintab.h,
# which Debian's +dfsg source leaves out. Every third-party library is Qt's
# own copy, so nothing but Qt's and MinGW's DLLs has to go beside the
# program. Optimised for size, which also compiles faster than -O3.
base_options=(
    -DCMAKE_BUILD_TYPE=Release -DFEATURE_optimize_size=ON -DBUILD_SHARED_LIBS=ON -DQZ_MINGW_SHARED_RUNTIME=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DINPUT_openssl=no -DFEATURE_ssl=OFF -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
    -DFEATURE_direct2d=OFF -DFEATURE_jpeg=OFF -DFEATURE_freetype=OFF -DFEATURE_tuiotouch=OFF
)
# Qt Multimedia: only its Windows audio (the wmf feature: WASAPI devices and
# Media Foundation), no media plug-in (players, cameras), spatial audio,
# FFmpeg or GStreamer. Its find module
# asks for mixed-case names (Mf, Mfplat, Propsys) that MinGW-w64's lower-case
# import libraries do not match on a case-sensitive file system, so every
# library is given by path.
wmf_libraries=(strmiids amstrmid dmoguids uuid msdmo ole32 oleaut32 mf mfuuid mfplat mfcore propsys)
multimedia_options=(
    -DCMAKE_BUILD_TYPE=Release -DFEATURE_optimize_size=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_spatialaudio=OFF -DFEATURE_ffmpeg=OFF -DFEATURE_gstreamer=OFF -DQT_BUILD_WINDOWS_MEDIA_PLUGIN=OFF
)
for library in "${wmf_libraries[@]}"; do
    multimedia_options+=("-DWMF_${library^^}_LIBRARY=$mingw_lib/lib$library.a")
done

key=$( { printf '%s\n' "$version" "${base_options[@]}" "$multimedia_version" "${multimedia_options[@]}"
         cat "$toolchain"
         cat "$patches"/*.patch 2>/dev/null || true; } | sha256sum | cut -c1-12)
prefix=$cache/$version-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
[ "${1:-}" != --cached ] || exit 1
scripts/install-deps.sh windows >&2

# A build that stopped goes on from the last module it installed.
work=$cache/build-$version-$key
[ -f "$work/qtbase.installed" ] || rm -rf "$work" "$prefix"
mkdir -p "$work"

configure_and_install() {  # configure_and_install SOURCE BUILD OPTIONS...
    local source=$1 build=$2
    shift 2
    cmake -S "$source" -B "$build" -G Ninja --log-level=WARNING \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "$@"
    nice -n 10 cmake --build "$build" -j2
    cmake --install "$build" >/dev/null
}

build_module() {  # build_module NAME DEBIAN-PACKAGE VERSION OPTIONS...
    local name=$1 package=$2 package_version=$3
    shift 3
    [ -f "$work/$name.installed" ] && return
    rm -rf "$work/$name"
    local source
    source=$(scripts/debian-source.sh "$package" "$package_version" "$work/$name")
    # Mends of Debian's source for this build (see each patch's head).
    for patch in "$patches/$name"-*.patch; do
        if [ -e "$patch" ]; then patch -d "$source" -p1 --quiet <"$patch"; fi
    done
    local begun=$SECONDS
    configure_and_install "$source" "$work/$name/build" "$@"
    echo "$name for Windows: $((SECONDS - begun)) s" >&2
    touch "$work/$name.installed"
}

build_module qtbase qt6-base "$version" "${base_options[@]}"
build_module qtmultimedia qt6-multimedia "$multimedia_version" "${multimedia_options[@]}"

touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
