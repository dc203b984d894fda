#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# every test, then again under the address and undefined-behaviour sanitizers,
# then runs each fuzzer of the core for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
scripts/fuzz.sh 20
