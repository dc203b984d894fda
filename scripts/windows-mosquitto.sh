#!/usr/bin/env bash
# Builds Mosquitto's client library for 64-bit Windows from Debian's own
# source package, the same version as the Linux program's libmosquitto, and
# installs it into a cache folder beside Qt for Windows:
#
#   /var/cache/qz5kv-windows-qt/mosquitto-<Debian source version>-<key>/
#
# with bin/libmosquitto.dll, its import library, mosquitto.h and a pkg-config
# file. Only the library: no broker, clients, C++ wrapper or manuals, and no
# TLS (the program talks to the station's broker on its own network, as on
# Linux). The key is a hash of the options, the toolchain file and the
# patches in packaging/windows/patches/mosquitto/. Prints the folder on its
# last line. Takes about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$PWD

cache=${QZ_WINDOWS_QT_CACHE:-/var/cache/qz5kv-windows-qt}
toolchain=$checkout/cmake/mingw-w64.cmake
patches=$checkout/packaging/windows/patches/mosquitto
version=$(dpkg-query -W -f='${source:Version}' libmosquitto-dev)
options=(
    -DCMAKE_BUILD_TYPE=Release -DQZ_MINGW_SHARED_RUNTIME=ON
    -DWITH_TLS=OFF -DWITH_CJSON=OFF -DWITH_SRV=OFF -DWITH_THREADING=ON
    -DWITH_BROKER=OFF -DWITH_CLIENTS=OFF -DWITH_APPS=OFF -DWITH_PLUGINS=OFF
    -DWITH_LIB_CPP=OFF -DDOCUMENTATION=OFF -DWITH_STATIC_LIBRARIES=OFF
)

key=$( { printf '%s\n' "$version" "${options[@]}"
         cat "$toolchain" "$patches"/*.patch; } | sha256sum | cut -c1-12)
prefix=$cache/mosquitto-$version-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
scripts/install-deps.sh windows >&2

work=$cache/build-mosquitto-$version-$key
rm -rf "$work" "$prefix"
source=$(scripts/debian-source.sh mosquitto "$version" "$work")
for patch in "$patches"/*.patch; do
    patch -d "$source" -p1 --quiet <"$patch"
done
cmake -S "$source" -B "$work/build" -G Ninja --log-level=WARNING \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >&2
nice -n 10 cmake --build "$work/build" -j2 >&2
cmake --install "$work/build" >/dev/null
[ -f "$prefix/bin/libmosquitto.dll" ] || { echo "no libmosquitto.dll was built" >&2; exit 1; }
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
