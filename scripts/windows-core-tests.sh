#!/usr/bin/env bash
# Builds the core and its tests for 64-bit Windows with MinGW-w64 and runs
# them under Wine, so that the files, line ends and renames are checked
# against Windows' own rules. The station folders of the tests are made in
# the Windows temporary folder of a Wine prefix kept in the build folder.
#
#   scripts/windows-core-tests.sh [gtest options, e.g. --gtest_filter=Files*]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

build=build/mingw
toolchain=$PWD/cmake/mingw-w64.cmake
gtest_prefix=$PWD/$build/googletest

# GoogleTest as Debian ships its sources, built once for the target.
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja --log-level=WARNING \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest_prefix"
    cmake --build "$build/googletest-build" -j2
    cmake --install "$build/googletest-build" >/dev/null
fi

cmake -S . -B "$build/core" -G Ninja --log-level=WARNING \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQZ_CORE_ONLY=ON -DQZ_WARNINGS_AS_ERRORS=ON -DGTest_DIR="$gtest_prefix/lib/cmake/GTest"
cmake --build "$build/core" -j2 --target core_tests

export WINEPREFIX=$PWD/$build/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no .NET or browser set-up for a console test
wine "$build/core/tests/core_tests.exe" "$@"
