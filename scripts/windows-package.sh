#!/usr/bin/env bash
# Builds the program for 64-bit Windows and writes the zip an operator
# unpacks and starts:
#
#   build/windows/QZ5KV_Stationbook-<version>-win64.zip
#
# holding one folder QZ5KV_Stationbook (the station folder) with the program,
# the Qt and MinGW DLLs it loads, Qt's Windows platform and style plug-ins,
# the broker's client library, the Polish texts of the standard buttons,
# Debian's cty.dat and MASTER.SCP, and CZYTAJ.txt. Qt comes from
# scripts/windows-qt.sh and libmosquitto from scripts/windows-mosquitto.sh
# (each built once, then taken from its cache). Run as root on Debian 12,
# like the other scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

qt=$(scripts/windows-qt.sh | tail -n 1)
mosquitto=$(scripts/windows-mosquitto.sh | tail -n 1)
out=build/windows
build=$out/program
# A new configuration each run, so a Qt from another cache folder is never
# taken from the old one.
rm -f "$build/CMakeCache.txt"
# -O2 as the Linux program: GCC 12 warns wrongly about std::string at -O3.
# pkg-config sees only the Windows libmosquitto, never the host's, and the
# configuration fails rather than leave sharing out of the zip.
PKG_CONFIG_LIBDIR=$mosquitto/lib/pkgconfig PKG_CONFIG_PATH= \
cmake -S . -B "$build" -G Ninja --log-level=WARNING \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DQZ_MINGW_SHARED_RUNTIME=ON \
    -DCMAKE_FIND_ROOT_PATH="$qt;$mosquitto" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DQZ_WARNINGS_AS_ERRORS=ON -DBUILD_TESTING=OFF -DQZ_BUILD_BENCH=OFF -DQZ_SHARE_LOG_REQUIRED=ON
nice -n 10 cmake --build "$build" -j2 --target QZ5KV_stationbook
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

stage=$out/stage/QZ5KV_Stationbook
rm -rf "$out/stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations"
cmake --install "$build" --prefix "$stage" >/dev/null
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
# Debian's Polish texts of Qt 6.4 (the same on every system).
cp /usr/share/qt6/translations/qtbase_pl.qm "$stage/translations/"
# Qt finds its translations beside the program, not in the folder Qt was
# built for.
printf '[Paths]\r\nPrefix=.\r\nTranslations=translations\r\nPlugins=.\r\n' >"$stage/qt.conf"
# Windows has no hamradio-files: the program reads the copies beside itself.
cp /usr/share/hamradio-files/cty.dat /usr/share/hamradio-files/MASTER.SCP "$stage/"
# Read by people in Notepad: UTF-8 with a byte order mark shows the Polish
# letters right whatever the code page of the Windows, CR LF as Windows writes.
{ printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/; s/\$/\r/" packaging/windows/CZYTAJ.txt; } >"$stage/CZYTAJ.txt"

# Every DLL that the program and its plug-ins load and that Windows does not
# have: Qt's own, libmosquitto and the MinGW C++ runtime, found by following
# the imports.
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
dll_folders=("$qt/bin" "$mosquitto/bin" "$runtime" /usr/x86_64-w64-mingw32/lib)
pending=("$stage"/QZ5KV_stationbook.exe "$stage"/platforms/*.dll "$stage"/styles/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
    binary=${pending[0]}
    pending=("${pending[@]:1}")
    for name in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        [ -e "$stage/$name" ] && continue
        for folder in "${dll_folders[@]}"; do
            if [ -f "$folder/$name" ]; then
                cp "$folder/$name" "$stage/"
                pending+=("$stage/$name")
                break
            fi
        done
    done
done
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

zip=$out/QZ5KV_Stationbook-$version-win64.zip
rm -f "$zip"
(cd "$out/stage" && zip -qrX9 "../$(basename "$zip")" QZ5KV_Stationbook)
echo "$zip: $(find "$stage" -type f | wc -l) files, $(du -k "$zip" | cut -f1) KiB"
