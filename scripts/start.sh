#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in its station
# folder (build/default/app), where it keeps its log and settings files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target QZ5KV_stationbook
exec build/default/app/QZ5KV_stationbook
