#!/usr/bin/env bash
# Installs what is missing, checks the format, builds everything with warnings
# as errors, runs clang-tidy and every test, then the tests again under the
# address and undefined-behaviour sanitizers, a minute's random walk through
# the sanitized program under a window manager (a new seed each run; longer
# walks in docs/testing.md), then each fuzzer of the core for 10 seconds
# (longer runs by hand: scripts/fuzz.sh 300), and the Windows zip
# under Wine where Qt for Windows is already built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/check-sources.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
scripts/tidy.sh build/ci
ctest --preset ci
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
tests/walk/run_walk.sh build/asan/app/QZ5KV_stationbook --seconds 60 --out build/asan/walk
scripts/fuzz.sh 10
# The Windows zip and its walk under Wine, once Qt for Windows is built: Qt
# from nothing would take the run past CI's time (see docs/windows.md).
if scripts/windows-qt.sh --cached >/dev/null; then
    scripts/windows-package.sh
    scripts/windows-check.sh
else
    echo "SKIP: the Windows zip, as Qt for Windows is not built (scripts/windows-package.sh builds it)"
fi
