#!/usr/bin/env bash
# The program as an operator meets it: the real executable in a station folder
# of its own, on a virtual X server, driven by real key and mouse events, with
# the log file checked byte for byte and screenshots of the main window, the
# pick dialog, the operator editor, the worked-before tooltip and the contest
# overview.
#
# Usage: run_e2e.sh <QZ5KV_stationbook executable> <folder for the screenshots>
set -euo pipefail
[ -n "${QZ_E2E_TRACE:-}" ] && set -x

if [ $# -ne 2 ]; then
    echo "usage: $0 <executable> <screenshot folder>" >&2
    exit 2
fi
for tool in xvfb-run xauth xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
if [ -z "${QZ_E2E_ON_DISPLAY:-}" ]; then
    exec timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" env QZ_E2E_ON_DISPLAY=1 "$0" "$@"
fi

# Bytes are compared as bytes.
export LC_ALL=C
executable=$(realpath "$1")
shots=$(realpath -m "$2")
mkdir -p "$shots"
work=$(mktemp -d)
pid=""
rig_pid=""
cleanup() {
    # A program or rigctld still running (a failed step) is ended; its exit
    # status must not cut the cleaning short.
    [ -z "$pid" ] || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }
    [ -z "$rig_pid" ] || { kill "$rig_pid" 2>/dev/null; wait "$rig_pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$work"/*/program.out >&2 2>/dev/null || true
    exit 1
}

# Places in the main window (694 by 462, centred on the screen) and in the
# pick dialog, taken from their layouts.
callsign_field=(247 79)
sent_exchange_field=(428 129)
operators_button=(84 93)
first_log_row=(100 231)
end_button=(539 440)
pick_ok_button=(221 32)

# Starts the program in a copy of its own folder, with the arguments after
# the folder, and waits for its window.
start_station() {
    local folder=$1
    shift
    cp "$executable" "$folder/"
    (cd "$folder" && exec ./QZ5KV_stationbook "$@" >"$folder/program.out" 2>&1) &
    pid=$!
    main=$(timeout 20 xdotool search --sync --onlyvisible --name '^QZ5KV Stationbook$' | head -n 1) ||
        fail "the main window did not open"
    xdotool windowfocus --sync "$main"
}

stop_station() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}

click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; }

visible_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

# Waits until the program shows more windows than $1 (a popup menu has no
# title to wait for).
wait_for_more_windows() {
    for _ in $(seq 100); do
        [ "$(visible_windows)" -gt "$1" ] && return 0
        sleep 0.1
    done
    fail "no new window appeared"
}

# Waits until the file has the given number of lines.
wait_for_lines() {
    local file=$1 count=$2
    for _ in $(seq 100); do
        [ -f "$file" ] && [ "$(wc -l <"$file")" -ge "$count" ] && return 0
        sleep 0.1
    done
    fail "$file did not reach $count lines: $(cat -A "$file" 2>/dev/null)"
}

# Line number $2 of file $1 without its CR LF, after checking that it is 86
# columns long and ends with CR LF.
log_line() {
    local text
    text=$(sed -n "$2p" "$1" | LC_ALL=C od -An -c | tr -d ' \n')
    [[ $text == *'\r\n' ]] || fail "line $2 of $1 does not end with CR LF"
    text=$(sed -n "$2p" "$1" | tr -d '\r')
    [ "$(printf '%s' "$text" | LC_ALL=C wc -c)" -eq 86 ] || fail "line $2 of $1 is not 86 columns: [$text]"
    printf '%s' "$text"
}

# Checks a stored line: columns 1-15 hold a UTC date and time between a minute
# before $3 (seconds since the epoch, taken before the store) and $4 (after
# it); columns 16-86 equal $2 exactly.
check_stored() {
    local line=$1 rest=$2 before=$3 after=$4 stamp moment
    stamp=${line:0:15}
    [[ $stamp =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{4}$ ]] || fail "date and time [$stamp] are not rrrr-mm-dd hhmm"
    moment=$(date -u -d "${stamp:0:10} ${stamp:11:2}:${stamp:13:2}" +%s) || fail "[$stamp] is no moment"
    ((moment >= before - 120 && moment <= after)) || fail "[$stamp] is not the UTC time of the store"
    [ "${line:15}" = "$rest" ] || fail "stored [${line:15}], expected [$rest]"
}

# Types one QSO from the callsign field: callsign, Enter, exchange, Enter.
store_qso() {
    local callsign=$1 exchange=$2 file=$3 count=$4
    before=$(date -u +%s)
    xdotool type --delay 15 "$callsign"
    xdotool key Return
    # The exchange field may still hold the headquarters default "KRU", and
    # the cursor lands behind it: the operator selects it to type over it.
    xdotool key ctrl+a
    xdotool type --delay 15 "$exchange"
    xdotool key Return
    wait_for_lines "$file" "$count"
    after=$(date -u +%s)
}

screenshot() { import -window root "$@"; }

# Fraction of the screenshot $1 in the colour $2.
colour_share() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:mean]' info:; }
fuchsia_share() { colour_share "$1" '#ff00ff'; }

started=$(date +%s)

# --- A fresh station: one operator in the settings file, no log yet. -------
fresh="$work/fresh"
mkdir -p "$fresh"
printf 'QZ1ABC,Jan Kowalski,,ul. Polna 1,,,0,CHECKLOG,,IARU-HF,\r\n' >"$fresh/QZ5KV_stationbook.ini"
start_station "$fresh"
log="$fresh/IARU_log.zrv"
for _ in $(seq 50); do [ -f "$log" ] && break; sleep 0.1; done
[ -f "$log" ] && [ ! -s "$log" ] || fail "start-up did not create an empty log"
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$X,$Y,$WIDTH,$HEIGHT" = "165,153,694,462" ] ||
    fail "the main window is not 694 by 462 in the middle of the 1024 by 768 screen: $WIDTH by $HEIGHT at $X,$Y"

# The callsign field holds the headquarters call; the operator replaces it.
click "$main" "${callsign_field[@]}"
xdotool key ctrl+a
store_qso sp9abc 15 "$log" 1
check_stored "$(log_line "$log" 1)" "   1800 CW     QZ1ABC        599 28     SP9ABC        599 15           " "$before" "$after"

# The store left the focus in the emptied callsign field. Band and mode by
# the keyboard, a sent exchange in Polish letters (łódź), a received one with
# spaces.
xdotool key alt+b alt+m
click "$main" "${sent_exchange_field[@]}"
xdotool key ctrl+a
# xdotool types a letter that the keyboard lacks by mapping it to a spare key
# for a moment; the pause gives the program the time to read that mapping.
LC_ALL=C.UTF-8 xdotool type --delay 250 'łódź'
# The shortcuts belong to the callsign and received exchange fields: here
# they change nothing and type nothing.
xdotool key alt+b alt+m alt+c
click "$main" "${callsign_field[@]}"
store_qso dl1xyz 'k r u' "$log" 2
second=$(log_line "$log" 2)
check_stored "$second" "   3500 PH     QZ1ABC        59  $(printf '\xb3\xf3D\x9f')   DL1XYZ        59  KRU          " "$before" "$after"
[ "$(wc -l <"$log")" -eq 2 ] || fail "the log holds more than two lines"
cmp -s <(sed -n 1p "$log") "$fresh/IARU_log.zr~" || fail "the backup does not hold the log as it was before the second QSO"

click "$main" "${end_button[@]}"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$pid" 2>/dev/null || fail "\"Koniec\" did not end the program"
wait "$pid" || fail "the program ended with an error"
pid=""

# --- A station with a log and two operators. ------------------------------
# QZ1ABC has worked the headquarters on eleven of the twelve band/mode slots
# (all but 10 m SSB); QZ2XYZ, first in the file, has one QSO.
known="$work/known"
mkdir -p "$known"
printf 'QZ2XYZ,Anna Nowak,,ul. Długa 2,,,0,CHECKLOG,,IARU-HF,\r\nQZ1ABC,Jan Kowalski,,ul. Polna 1,,,0,CHECKLOG,,IARU-HF,\r\n' |
    iconv -f UTF-8 -t CP1250 >"$known/QZ5KV_stationbook.ini"
{
    minute=0
    for band in '  1800' '  3500' '  7000' ' 14000' ' 21000' ' 28000'; do
        for mode in CW PH; do
            [ "$band$mode" = ' 28000PH' ] && continue
            report=599
            [ $mode = PH ] && report='59 '
            printf '2026-07-11 12%02d %s %s     QZ1ABC        %s 28     QZ5KV         %s KRU          \r\n' \
                $minute "$band" $mode "$report" "$report"
            minute=$((minute + 1))
        done
    done
    printf '2026-07-11 1300  14000 CW     QZ2XYZ        599 28     OK1XYZ        599 16           \r\n'
} >"$known/IARU_log.zrv"
log="$known/IARU_log.zrv"
cp "$log" "$work/known.before"
start_station "$known"
[ "$(xdotool search --onlyvisible --name '^QZ5KV Stationbook$' | wc -l)" -eq 1 ] || fail "not exactly one main window"
cmp -s "$log" "$work/known.before" || fail "start-up changed the existing log"

# A QSO straight after the start belongs to QZ1ABC, first in sorted order.
click "$main" "${callsign_field[@]}"
xdotool key ctrl+a
store_qso ok1aaa 16 "$log" 13
check_stored "$(log_line "$log" 13)" "   1800 CW     QZ1ABC        599 28     OK1AAA        599 16           " "$before" "$after"

# Alt+C twice goes round both operators back to QZ1ABC and reloads the view,
# which counts the eleven slots; Alt+B five times is 10 m, Alt+M is SSB; the
# headquarters QSO in the twelfth slot brings the banner up.
xdotool key alt+c alt+c alt+b alt+b alt+b alt+b alt+b alt+m
store_qso qz5kv kru "$log" 14
check_stored "$(log_line "$log" 14)" "  28000 PH     QZ1ABC        59  28     QZ5KV         59  KRU          " "$before" "$after"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$main")"
screenshot -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/main-window.png"
share=$(fuchsia_share "$shots/main-window.png")
awk -v s="$share" 'BEGIN { exit !(s > 0.005) }' || fail "the headquarters banner is not shown (fuchsia share $share)"

# xdotool searches a window's legacy X name, where a Polish letter is an
# escape sequence: the title patterns below step over them.

# The pick dialog from the log list's menu: "Zmień pasmo" on the first row,
# OK with the band preselected from the main window (10 m).
first_row=$(LC_ALL=C sort -f "$log" | grep -a '  QZ1ABC ' | head -n 1 | tr -d '\r')
# A right click does not move the selection: the row is selected first.
click "$main" "${first_log_row[@]}"
shown=$(visible_windows)
click "$main" "${first_log_row[@]}" 3
wait_for_more_windows "$shown"
xdotool key Down Down Down Return
pick=$(timeout 20 xdotool search --sync --onlyvisible --name '^Wyb.*r pasma$' | head -n 1) ||
    fail "the pick dialog did not open"
sleep 0.3
screenshot "$shots/pick-dialog.png"
click "$pick" "${pick_ok_button[@]}"
changed="${first_row:0:16} 28000${first_row:22}"
for _ in $(seq 50); do grep -aqF "$changed" "$log" && break; sleep 0.1; done
grep -aqF "$changed" "$log" || fail "OK of the pick dialog did not move [$first_row] to 10 m"
[ "$(wc -l <"$log")" -eq 14 ] || fail "the band change altered the number of lines"

# The operator editor from its button, showing the first operator.
click "$main" "${operators_button[@]}"
timeout 20 xdotool search --sync --onlyvisible --name '^Nag.*wek pliku Cabrillo$' >/dev/null ||
    fail "the operator editor did not open"
sleep 0.3
screenshot "$shots/operator-editor.png"

# QZ5KV again on 10 m SSB is a dupe: the callsign field turns red and its
# tooltip tells when it was worked.
xdotool windowfocus --sync "$main"
click "$main" "${callsign_field[@]}"
xdotool key ctrl+a
xdotool type --delay 15 qz5kv
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$main")"
screenshot -crop "60x12+$((X + callsign_field[0] - 30))+$((Y + callsign_field[1] - 6))" +repage "$work/callsign.png"
share=$(colour_share "$work/callsign.png" '#ffaaaa')
awk -v s="$share" 'BEGIN { exit !(s > 0.3) }' || fail "the callsign field of a dupe is not red (share $share)"
shown=$(visible_windows)
# The pointer still rests where it clicked: it must come to the field anew.
xdotool mousemove --window "$main" "${end_button[@]}"
xdotool mousemove --window "$main" "${callsign_field[@]}"
wait_for_more_windows "$shown"
screenshot "$shots/worked-before.png"

# F11 opens the contest overview beside the main window and leaves the
# keyboard in the callsign field: the next QSO is typed straight on.
xdotool mousemove --window "$main" "${end_button[@]}"
xdotool key F11
timeout 20 xdotool search --sync --onlyvisible --name '^Przegl.*d zawod.*w$' >/dev/null ||
    fail "F11 did not open the contest overview"
sleep 0.5
screenshot "$shots/contest-overview.png"
xdotool key ctrl+a
store_qso sp9abc 15 "$log" 15
check_stored "$(log_line "$log" 15)" "  28000 PH     QZ1ABC        59  28     SP9ABC        59  15           " "$before" "$after"
xdotool key F11
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Przegl.*d zawod.*w$' >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name '^Przegl.*d zawod.*w$' >/dev/null 2>&1 || fail "F11 did not close the contest overview"
stop_station

# --- A station that follows the radio through rigctld. --------------------
# Hamlib's dummy radio on a port of its own; the program is pointed at it on
# the command line, and the radio is set to 15 m USB by another client.
if command -v rigctld >/dev/null && command -v rigctl >/dev/null; then
    radio="$work/radio"
    mkdir -p "$radio"
    printf 'QZ1ABC,Jan Kowalski,,ul. Polna 1,,,0,CHECKLOG,,IARU-HF,\r\n' >"$radio/QZ5KV_stationbook.ini"
    rig_port=$((20000 + RANDOM % 20000))
    rigctld -m 1 -t "$rig_port" >"$radio/rigctld.out" 2>&1 &
    rig_pid=$!
    # By number: a machine without /etc/hosts cannot look up "localhost".
    rig() { rigctl -m 2 -r "127.0.0.1:$rig_port" "$@" >/dev/null 2>&1; }
    for _ in $(seq 50); do rig f && break; sleep 0.1; done
    rig F 21200000 M USB 2400 || fail "rigctld did not start on port $rig_port: $(cat "$radio/rigctld.out")"
    start_station "$radio" --rig "127.0.0.1:$rig_port"
    log="$radio/IARU_log.zrv"
    # The program polls the radio several times a second.
    sleep 1
    click "$main" "${callsign_field[@]}"
    xdotool key ctrl+a
    store_qso sp5xyz 12 "$log" 1
    check_stored "$(log_line "$log" 1)" "  21000 PH     QZ1ABC        59  28     SP5XYZ        59  12           " "$before" "$after"
    stop_station
else
    echo "SKIP: the radio step, rigctld or rigctl is missing (scripts/install-deps.sh installs libhamlib-utils)"
fi

echo "PASS in $(($(date +%s) - started)) s; screenshots in $shots"
