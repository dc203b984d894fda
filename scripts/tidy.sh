#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy, every finding an error) over the
# program's own sources: core/, ui/, app/ and the tests. It needs the compile
# database of a configured and built tree, by default the ci build:
#
#   cmake --preset ci && cmake --build --preset ci && scripts/tidy.sh [build/ci]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/ci}"
log="$build/clang-tidy.log"
mapfile -t sources < <(git ls-files 'core/*.cpp' 'ui/*.cpp' 'app/*.cpp' 'tests/*.cpp')
# Diagnostics go to stdout; stderr only counts the warnings of the system headers.
if ! printf '%s\0' "${sources[@]}" |
        xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$build" --quiet >"$log" 2>"$log.stderr"; then
    cat "$log" >&2
    grep -v 'warnings\? generated\.$' "$log.stderr" >&2 || true
    echo "clang-tidy: findings above (also in $log)" >&2
    exit 1
fi
echo "clang-tidy: ${#sources[@]} files, no findings"
