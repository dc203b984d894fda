#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (with the
# repository's .clang-format) would make of it. `clang-format -i FILE` mends it.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
