#!/usr/bin/env bash
# The random walk through the program (walk.py) on a virtual screen of its own.
#
# Usage: run_walk.sh <QZ5KV_stationbook executable> [--seconds 60] [--seed N] [--steps N]
#                    [--without KIND ...] [--out FOLDER]
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 <executable> [walk.py options]" >&2
    exit 2
fi
for tool in xvfb-run xauth openbox xdotool wmctrl xclip import python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
executable=$(realpath "$1")
shift
# No __pycache__ in the source tree.
export PYTHONDONTWRITEBYTECODE=1
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    python3 "$(dirname "$0")/walk.py" "$executable" "$@"
