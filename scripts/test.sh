#!/usr/bin/env bash
# Installs what is missing, checks the format, builds everything with warnings
# as errors, runs clang-tidy and every test, then the tests again under the
# address and undefined-behaviour sanitizers, then each fuzzer of the core for
# 10 seconds (longer runs by hand: scripts/fuzz.sh 300).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-sources.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
scripts/tidy.sh build/ci
ctest --preset ci
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
scripts/fuzz.sh 10
