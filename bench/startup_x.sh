#!/usr/bin/env bash
# How long the real program takes from its start until its main window is
# mapped on an X server, once with an empty log and once with a log of
# 100,000 lines, measured from outside: the time runs from just before the
# program is started until the X server reports the map of the window titled
# "QZ5KV Stationbook". A fresh process pays for everything a benchmark inside
# one process hides (loading, page faults of first-touched memory, fonts).
#
# The two station folders hold the same operator file; the runs alternate
# between them, so that load from other work on the machine spoils both alike.
# Prints the median and the spread of each and the difference of the medians.
#
# Usage: startup_x.sh <QZ5KV_stationbook> <qz_make_large_station> [runs per log]
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 <QZ5KV_stationbook executable> <qz_make_large_station executable> [runs per log, 15]" >&2
    exit 2
fi
for tool in xvfb-run xauth xev xprop stdbuf; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
if [ -z "${QZ_STARTUP_ON_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env QZ_STARTUP_ON_DISPLAY=1 "$0" "$@"
fi

executable=$(realpath "$1")
generator=$(realpath "$2")
runs=${3:-15}
title='"QZ5KV Stationbook"'

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [ -n "${XEV_PID:-}" ] && kill "$XEV_PID" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The station folder is the executable's folder: each log gets a copy.
for kind in empty large; do
    mkdir "$work/$kind"
    cp "$executable" "$work/$kind/"
    "$generator" "$work/$kind"
done
: >"$work/empty/IARU_log.zrv"

# Without a window manager a main window is a child of the root window, so a
# listener on the root's substructure hears its map as the server makes it.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
# Give the listener time to select its events before the first start.
sleep 1

# Skips what the listener has heard since the last run.
drain() { while read -r -t 0.3 -u "${XEV[0]}" _; do :; done; }

# Milliseconds from the start of the program in folder $1 to the map of its
# main window; the program is ended afterwards, which frees its folder's lock.
measure() {
    local folder=$1 start mapped line window
    drain
    start=$EPOCHREALTIME
    (cd "$folder" && exec ./QZ5KV_stationbook >>"$folder/program.out" 2>&1) &
    pid=$!
    mapped=""
    while read -r -t 30 -u "${XEV[0]}" line; do
        [[ $line == MapNotify* ]] || continue
        local when=$EPOCHREALTIME
        read -r -t 5 -u "${XEV[0]}" line
        window=${line#*window }
        window=${window%%,*}
        if xprop -id "$window" WM_NAME 2>/dev/null | grep -qF "= $title"; then
            mapped=$when
            break
        fi
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
    if [ -z "$mapped" ]; then
        echo "FAIL: no main window in $folder" >&2
        cat "$folder/program.out" >&2
        exit 1
    fi
    # EPOCHREALTIME has microseconds after the decimal point.
    local micros=$((${mapped/./} - ${start/./}))
    printf '%d.%03d\n' $((micros / 1000)) $((micros % 1000))
}

# "median ms (min to max; middle half q1 to q3)" of the numbers on stdin.
summary() {
    sort -n | awk '{ v[NR] = $1 }
        END {
            m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            q1 = v[int((NR + 3) / 4)]; q3 = v[int((3 * NR + 3) / 4)]
            printf "%.1f ms (min %.1f, max %.1f; middle half %.1f to %.1f)\n", m, v[1], v[NR], q1, q3
        }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "load before: $(uptime)"
# One start of each, not counted, brings the program and its libraries into
# the page cache.
measure "$work/empty" >/dev/null
measure "$work/large" >/dev/null
for _ in $(seq "$runs"); do
    measure "$work/empty" >>"$work/empty.ms"
    measure "$work/large" >>"$work/large.ms"
done
echo "load after:  $(uptime)"

echo "empty log:          $(summary <"$work/empty.ms")"
echo "100,000-line log:   $(summary <"$work/large.ms")"
empty=$(median <"$work/empty.ms")
large=$(median <"$work/large.ms")
awk -v e="$empty" -v l="$large" 'BEGIN { printf "difference of the medians: %.1f ms\n", l - e }'
# The difference of each pair of neighbouring runs is less sensitive to load
# that drifts during the measurement.
paste "$work/empty.ms" "$work/large.ms" | awk '{ print $2 - $1 }' | summary |
    sed 's/^/median of the paired differences: /'
