#!/usr/bin/env bash
# Installs what building and running need, builds the program without its
# tests and starts it the way the Debian package does: through the launcher,
# which keeps the log, the operators and the exports in the station folder
# ~/QZ5KV_Stationbook, outside the checkout, so that cleaning the build
# folder never takes the log with it. Options go on to the program:
#
#   scripts/start.sh [--rig HOST:PORT | --rig off | --share HOST:PORT | --share off]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset run >/dev/null
cmake --build --preset run
# The installed layout next to the build, so that the launcher finds the
# program where it looks in the package.
installed=build/run/installed
cmake --install build/run --prefix "$installed" >/dev/null

# Earlier versions of this script ran the program inside the build folder.
earlier=build/default/app/IARU_log.zrv
station=$HOME/QZ5KV_Stationbook
if [ -s "$earlier" ] && ! cmp -s "$earlier" "$station/IARU_log.zrv"; then
    echo "Note: $PWD/build/default/app holds a log of an earlier start; the program now" \
        "keeps its files in $station. To go on with that log, end the program and copy" \
        "IARU_log.zrv and QZ5KV_stationbook.ini from there into $station." >&2
fi
exec "$installed/bin/qz5kv-stationbook" "$@"
