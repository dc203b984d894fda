#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy, every finding an error) over the
# program's own sources in core/, link/, ui/ and app/, and with --with-tests over the
# tests as well. It needs the compile database of a configured and built tree,
# by default the ci build:
#
#   cmake --preset ci && cmake --build --preset ci && scripts/tidy.sh [build/ci] [--with-tests]
#
# The test command leaves the tests out: on two cores they would add about two
# minutes to the three the program's own sources take under load (one and a
# half without). Run it with --with-tests after changing a test.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/ci
patterns=('core/*.cpp' 'link/*.cpp' 'ui/*.cpp' 'app/*.cpp')
for argument in "$@"; do
    case "$argument" in
    --with-tests) patterns+=('tests/*.cpp') ;;
    *) build="$argument" ;;
    esac
done
log="$build/clang-tidy.log"
mapfile -t sources < <(git ls-files "${patterns[@]}")
# clang cannot read GCC's precompiled headers: the files are checked as they
# are written, each with its own includes, from a copy of the database
# without them.
database="$build/tidy"
mkdir -p "$database"
sed -E 's# -Winvalid-pch##g; s# -include [^ ]*cmake_pch\.hxx##g' "$build/compile_commands.json" >"$database/compile_commands.json"
# Diagnostics go to stdout; stderr only counts what was found in system headers.
if ! printf '%s\0' "${sources[@]}" |
        xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$database" --quiet >"$log" 2>"$log.stderr"; then
    cat "$log" >&2
    grep -v 'warnings\? generated\.$' "$log.stderr" >&2 || true
    echo "clang-tidy: findings above (also in $log)" >&2
    exit 1
fi
echo "clang-tidy: ${#sources[@]} files, no findings"
