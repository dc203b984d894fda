#!/usr/bin/env bash
# Builds the libFuzzer targets of the core (preset "fuzz", clang) and runs each
# one for a bounded time, starting from its hand-made seeds, the golden files of
# the tests and every input that once broke it (fuzz/regressions/<target>).
# Fails on the first crash, hang or broken property; the input that did it is
# kept in build/fuzz/findings/<target>.
#
#   scripts/fuzz.sh [seconds per target]    (default 20; try 300 by hand)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

for source in fuzz/fuzz_*.cpp; do
    target="$(basename "$source" .cpp)"
    corpus="build/fuzz/corpus/$target"      # grows from run to run, never checked in
    findings="build/fuzz/findings/$target"
    log="build/fuzz/$target.log"
    mkdir -p "$corpus" "$findings"
    inputs=("$corpus" "fuzz/seeds/$target" tests/data)
    [ -d "fuzz/regressions/$target" ] && inputs+=("fuzz/regressions/$target")

    if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$findings/" "${inputs[@]}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "$target: FAILED, input kept in $findings" >&2
        exit 1
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "$target: ${runs:-?} inputs in ${seconds} s, no fault"
done
