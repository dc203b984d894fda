#!/usr/bin/env bash
# Builds the Debian package of the build folder given as $1 and checks it the
# way an operator meets it: its contents and dependencies, the desktop entry,
# and the launcher giving a fresh user a station folder and starting the
# program from there.
set -euo pipefail

build=$(readlink -f "$1")
work=$(mktemp -d)
program_pid=""
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() {  # check "what is expected" command...
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAILED: cpack could not build the package"
    exit 1
fi
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAILED: cpack made no single .deb"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

program=usr/libexec/qz5kv-stationbook/QZ5KV_stationbook
launcher=usr/bin/qz5kv-stationbook
desktop=usr/share/applications/qz5kv-stationbook.desktop
icon=usr/share/icons/hicolor/scalable/apps/qz5kv-stationbook.svg

dpkg-deb -c "$deb" >"$work/contents"
listed() { grep -Eq "^$2 .* \./$1\$" "$work/contents"; }
check "program is listed as executable" listed "$program" '-rwxr-xr-x'
check "launcher is listed as executable" listed "$launcher" '-rwxr-xr-x'
check "desktop entry is listed" listed "$desktop" '-rw-r--r--'
check "icon is listed" listed "$icon" '-rw-r--r--'

dpkg-deb -I "$deb" >"$work/info"
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
depends_on() { grep -Eq "(^|, )$1( |,|\$)" <<<"$depends"; }
check "package name" test "$(dpkg-deb -f "$deb" Package)" = qz5kv-stationbook
check "depends on the Qt 6 widgets" depends_on libqt6widgets6
check "depends on the Qt translations" depends_on qt6-translations-l10n
check "depends on the field's data files" depends_on hamradio-files
check "recommends rigctld for the radio" test "$(dpkg-deb -f "$deb" Recommends)" = libhamlib-utils

root=$work/root
dpkg -x "$deb" "$root"
check "desktop entry is valid" desktop-file-validate "$root/$desktop"
check "desktop entry starts the launcher" grep -qx "Exec=$(basename "$launcher")" "$root/$desktop"
check "desktop entry names the icon" grep -qx "Icon=$(basename "$icon" .svg)" "$root/$desktop"
check "desktop entry has Polish texts" grep -q '^Comment\[pl\]=' "$root/$desktop"
is_type() { file -b "$1" | grep -q "$2"; }
check "program is a stripped ELF executable" is_type "$root/$program" 'ELF 64-bit.*executable.*, stripped'
check "icon is an SVG image" is_type "$root/$icon" 'SVG'

# A new user: the launcher makes the station folder with the program in it.
home=$work/home
station=$home/QZ5KV_Stationbook
prepared=$(HOME=$home "$root/$launcher" --prepare)
check "launcher reports the station folder" test "$prepared" = "$station"
check "station folder holds the program" cmp -s "$root/$program" "$station/QZ5KV_stationbook"
check "the program copy is executable" test -x "$station/QZ5KV_stationbook"

# A changed installed program replaces the copy; the station's files stay.
printf 'old program\n' >"$station/QZ5KV_stationbook"
printf 'a QSO line\r\n' >"$station/IARU_log.zrv"
HOME=$home "$root/$launcher" --prepare >/dev/null
check "an outdated copy is refreshed" cmp -s "$root/$program" "$station/QZ5KV_stationbook"
check "the log is left alone" test "$(cat "$station/IARU_log.zrv")" = $'a QSO line\r'

# A real start: the program runs from the station folder and makes its log
# there; the radio option reaches it.
home=$work/home2
station=$home/QZ5KV_Stationbook
HOME=$home QT_QPA_PLATFORM=offscreen "$root/$launcher" --rig off >"$work/program.log" 2>&1 &
program_pid=$!
for _ in $(seq 300); do
    [ -f "$station/IARU_log.zrv" ] && [ -f "$station/QZ5KV_stationbook.lock" ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
check "started program made its log and lock in the station folder" \
    test -f "$station/IARU_log.zrv" -a -f "$station/QZ5KV_stationbook.lock"
check "the program runs from the station folder" \
    test "$(readlink "/proc/$program_pid/exe" 2>/dev/null)" = "$station/QZ5KV_stationbook"
check "the launcher passes --rig on" \
    test "$(tr '\0' ' ' <"/proc/$program_pid/cmdline" 2>/dev/null)" = "$station/QZ5KV_stationbook --rig off "
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
program_pid=""

if [ "$failures" -ne 0 ]; then
    echo "--- program output"; cat "$work/program.log"
    echo "$failures check(s) failed"
    exit 1
fi
echo "all package checks passed"
