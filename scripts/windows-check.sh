#!/usr/bin/env bash
# The Windows zip as an operator meets it: unpacked into an empty folder whose
# path has Polish letters, started under Wine on a virtual X screen and driven
# by real key presses and clicks. One walk through the program: the window,
# a new log, QSOs stored byte for byte as on Linux, Alt+B, the radio through
# rigctld, the overview (F11), a second copy refused, an operator with a
# Polish name into the Cabrillo header, both exports, a question box in
# Polish, the log shared through a broker with the Linux program on another
# station folder, a DX cluster's spot taken from the band map with the radio
# tuned to it, the exchange filled in from cty.dat, F1 sent as CW by the
# radio's keyer, a voice message recorded and played with PTT, the end by
# closing the window, and a second start that sends CW through cwdaemon on
# "another computer". Screenshots go to build/windows.
#
#   scripts/windows-check.sh [zip]     (default: the newest zip in build/windows)
#
# The Linux program of the sharing step is QZ_LINUX_PROGRAM, or the one in
# build/ci or build/default, built there with the default preset if neither is.
set -euo pipefail
[ -n "${QZ_WINE_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."

if [ -z "${QZ_WINE_ON_DISPLAY:-}" ]; then
    scripts/install-deps.sh windows
    zip=${1:-$(ls -t build/windows/QZ5KV_Stationbook-*-win64.zip 2>/dev/null | head -n 1)}
    [ -f "$zip" ] || { echo "FAIL: no zip; scripts/windows-package.sh makes it" >&2; exit 1; }
    if [ -z "${QZ_LINUX_PROGRAM:-}" ]; then
        for preset in ci default; do
            [ -x "build/$preset/app/QZ5KV_stationbook" ] && QZ_LINUX_PROGRAM=$PWD/build/$preset/app/QZ5KV_stationbook && break
        done
    fi
    if [ -z "${QZ_LINUX_PROGRAM:-}" ]; then
        cmake --preset default >/dev/null
        cmake --build --preset default --target QZ5KV_stationbook
        QZ_LINUX_PROGRAM=$PWD/build/default/app/QZ5KV_stationbook
    fi
    export QZ_LINUX_PROGRAM
    exec timeout 900 xvfb-run -a -s "-screen 0 1024x768x24" env QZ_WINE_ON_DISPLAY=1 "$0" "$(realpath "$zip")"
fi

export LC_ALL=C
zip=$1
shots=$PWD/build/windows
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine fills the Windows font names its own fonts lack from the machine's
# fonts, so what the windows look like would hang on what else the machine
# has installed (with fonts-dejavu-extra Wine takes a serif face and the
# fields show no text). Wine sees only the fonts that install-deps.sh
# installs, as on a new Debian 12 system.
mkdir -p "$work/fonts"
dpkg -L fonts-dejavu-core | grep '\.ttf$' | xargs ln -s -t "$work/fonts"
printf '<?xml version="1.0"?>\n<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n' \
    "$work/fonts" "$work/fontcache" >"$work/fonts.conf"
export FONTCONFIG_FILE=$work/fonts.conf
pid=""
rig_pid=""
broker_pid=""
cluster_pid=""
cwdaemon_pid=""
sound_pid=""
linux_pid=""
cleanup() {
    # The servers first: they hold ports that other tests may want.
    for server in "$rig_pid" "$broker_pid" "$cluster_pid" "$cwdaemon_pid" "$sound_pid" "$linux_pid"; do
        [ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; }
    done
    [ -z "$pid" ] || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    import -window root "$shots/wine-failure.png" 2>/dev/null || true
    for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "window on the screen: [$(xdotool getwindowname "$window")]" >&2
    done
    cat "$work/program.out" >&2 2>/dev/null || true
    # The servers' own logs, kept beside the screenshots.
    rm -rf "$shots/wine-failure-logs"
    mkdir -p "$shots/wine-failure-logs"
    cp "$work"/*.out "$shots/wine-failure-logs/" 2>/dev/null || true
    exit 1
}
step() { echo "--- $* ($((SECONDS - started)) s)"; }
started=$SECONDS

# Places in the windows under Wine's fonts: the main window (694 by 462) by
# its layout, the operator editor by its fixed positions.
callsign_field=(247 79)
operators_button=(84 93)
cabrillo_button=(60 440)
adif_button=(160 440)
end_button=(539 440)
editor_first_operator=(60 32)
editor_name_field=(330 74)
editor_save=(560 163)
editor_edit=(560 203)
editor_delete=(116 203)
editor_return=(656 203)

# Windows adds the program's name to the title of every other window.
suffix='( - QZ5KV Stationbook)?$'
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; }
window_named() { timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
wait_for_lines() {
    for _ in $(seq 100); do
        [ -f "$1" ] && [ "$(wc -l <"$1")" -ge "$2" ] && return 0
        sleep 0.1
    done
    fail "$1 did not reach $2 lines: $(cat -A "$1" 2>/dev/null)"
}
# Line $2 of file $1: 86 columns and CR LF, printed without the CR LF.
log_line() {
    local text
    text=$(sed -n "$2p" "$1")
    [[ $text == *$'\r' ]] || fail "line $2 of $1 does not end with CR LF"
    text=${text%$'\r'}
    [ ${#text} -eq 86 ] || fail "line $2 of $1 is not 86 columns: [$text]"
    printf '%s' "$text"
}
# A stored QSO: a UTC date and time of the store, then exactly $2.
check_stored() {
    local line=$1 rest=$2 stamp moment
    stamp=${line:0:15}
    moment=$(date -u -d "${stamp:0:10} ${stamp:11:2}:${stamp:13:2}" +%s 2>/dev/null) || fail "[$stamp] is no date and time"
    ((moment >= before - 120 && moment <= after)) || fail "[$stamp] is not the UTC time of the store"
    [ "${line:15}" = "$rest" ] || fail "stored [${line:15}], expected [$rest]"
}
store_qso() {  # store_qso CALLSIGN EXCHANGE LINES-AFTER [LOG, the Windows one by default]
    before=$(date -u +%s)
    xdotool type --delay 30 "$1"
    xdotool key Return ctrl+a
    xdotool type --delay 30 "$2"
    xdotool key Return
    wait_for_lines "${4:-$log}" "$3"
    after=$(date -u +%s)
}
listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
colour_share() { convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:mean]' info:; }
shot_of() {  # shot_of WINDOW FILE: the window alone
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

step "a Wine prefix of its own"
LC_ALL=C.UTF-8 wineboot -i >/dev/null 2>&1
# The path has letters of no Western code page: the program must use
# Windows' wide-character file names throughout.
folder="$work/Stacja Łódź"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
station="$folder/QZ5KV_Stationbook"
[ -f "$station/QZ5KV_stationbook.exe" ] || fail "the zip has no QZ5KV_Stationbook/QZ5KV_stationbook.exe"
# The version of the zip's name is the one of the program's version resource.
version=$(basename "$zip" -win64.zip)
version=${version#QZ5KV_Stationbook-}
strings -el "$station/QZ5KV_stationbook.exe" | grep -qx "$version" || fail "the program's version resource does not say $version"
printf 'QZ1ABC,Jan Kowalski,,ul. Polna 1,,,0,CHECKLOG,,IARU-HF,\r\n' >"$station/QZ5KV_stationbook.ini"

# Hamlib's dummy radio, on rigctld's own port where it is free, keying PTT
# through its CAT port; its log shows every command, the Morse text too.
rig_port=4532
listening "$rig_port" && rig_port=$((20000 + RANDOM % 20000))
rigctld -m 1 -P RIG -vvvvv -t "$rig_port" >"$work/rigctld.out" 2>&1 &
rig_pid=$!
rig() { rigctl -m 2 -r "127.0.0.1:$rig_port" "$@" >/dev/null 2>&1; }
for _ in $(seq 50); do rig f && break; sleep 0.1; done
# The dummy radio starts on 2 m, where the band list stays as it is; in CW,
# the mode the first QSO is stored with.
rig M CW 500 || fail "rigctld does not answer on port $rig_port: $(cat "$work/rigctld.out")"
# By number: a bare system has no /etc/hosts to look "localhost" up in.
printf '127.0.0.1:%s\r\n' "$rig_port" >"$station/QZ5KV_stationbook_rig.txt"
# CW from the function keys through the radio's own keyer.
printf 'rig\r\n' >"$station/QZ5KV_stationbook_cw.txt"

# The station's broker, on a free port; the Windows program shares through it
# from the start, by its setting file.
broker_port=$((20000 + RANDOM % 20000))
while listening "$broker_port"; do broker_port=$((broker_port + 1)); done
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\nmax_queued_messages 0\n' \
    "$broker_port" >"$work/mosquitto.conf"
mosquitto -c "$work/mosquitto.conf" >"$work/mosquitto.out" 2>&1 &
broker_pid=$!
for _ in $(seq 50); do listening "$broker_port" && break; sleep 0.1; done
listening "$broker_port" || fail "mosquitto does not listen: $(cat "$work/mosquitto.out")"
printf 'broker=127.0.0.1:%s\r\nstation=QZ5KV\r\n' "$broker_port" >"$station/QZ5KV_stationbook_share.txt"

# A DX cluster node on Linux: it asks for a call, writes down the login and
# sends one spot on 15 m, stamped with the time of the start.
cluster_port=$((20000 + RANDOM % 20000))
while listening "$cluster_port"; do cluster_port=$((cluster_port + 1)); done
python3 - "$cluster_port" "$work/cluster.login" <<'EOF' &
import socket, sys, time
server = socket.create_server(("127.0.0.1", int(sys.argv[1])))
while True:
    node, _ = server.accept()  # kept open until the next one comes
    try:
        node.sendall(b"Welcome to the test node\r\nPlease enter your call: ")
        login = node.makefile("rb").readline()
        if not login:  # the check's own probe of the port
            continue
        open(sys.argv[2], "wb").write(login)
        stamp = time.strftime("%H%MZ", time.gmtime()).encode()
        node.sendall(b"DX de SP5XYZ:    21025.0  JA1XYZ       CW 599 tnx                  " + stamp + b"\r\n")
    except OSError:
        pass
EOF
cluster_pid=$!
for _ in $(seq 50); do listening "$cluster_port" && break; sleep 0.1; done
printf 'host=127.0.0.1:%s\r\nlogin=QZ1ABC\r\n' "$cluster_port" >"$station/QZ5KV_stationbook_cluster.txt"

# A sound card for Wine: a PulseAudio server of the check's own with a null
# sink and a silent microphone, on a socket in the work folder.
sound="$work/sound"
mkdir -p "$sound"
export PULSE_RUNTIME_PATH=$sound/run PULSE_STATE_PATH=$sound/state PULSE_COOKIE=$sound/cookie
HOME=$sound pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
    --load="module-null-sink sink_name=null" --load="module-null-source source_name=silence" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$sound/native" >"$sound/pulseaudio.out" 2>&1 &
sound_pid=$!
for _ in $(seq 50); do [ -S "$sound/native" ] && break; sleep 0.1; done
[ -S "$sound/native" ] || fail "pulseaudio did not start: $(cat "$sound/pulseaudio.out")"
export PULSE_SERVER=unix:$sound/native

start_program() {  # start_program OUTPUT-FILE [ARGUMENT ...]
    local output=$1
    shift
    # Wine reads the folder names of Linux as UTF-8 only in a UTF-8 locale.
    (cd "$station" && LC_ALL=C.UTF-8 exec wine QZ5KV_stationbook.exe "$@" >"$output" 2>&1) &
}

step "start"
start_program "$work/program.out"
pid=$!
main=$(window_named '^QZ5KV Stationbook$' 90) || fail "the main window did not open"
xdotool windowfocus --sync "$main"
sleep 1
log="$station/IARU_log.zrv"
[ -f "$log" ] && [ ! -s "$log" ] || fail "start-up did not create an empty IARU_log.zrv"
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$X,$Y,$WIDTH,$HEIGHT" = "165,153,694,462" ] ||
    fail "the main window is not 694 by 462 in the middle of the 1024 by 768 screen: $WIDTH by $HEIGHT at $X,$Y"

step "QSOs by the keyboard"
click "$main" "${callsign_field[@]}"
xdotool key ctrl+a
store_qso sp9abc 15 1
check_stored "$(log_line "$log" 1)" "   1800 CW     QZ1ABC        599 28     SP9ABC        599 15           "
# Alt+B steps the band and types nothing into the callsign field.
xdotool key alt+b
store_qso dl1xyz kru 2
check_stored "$(log_line "$log" 2)" "   3500 CW     QZ1ABC        599 28     DL1XYZ        599 KRU          "
cmp -s <(sed -n 1p "$log") "$station/IARU_log.zr~" || fail "the backup does not hold the log before the second QSO"

step "the band and mode follow the radio"
rig F 21200000 M USB 2400 || fail "rigctld does not answer on port $rig_port: $(cat "$work/rigctld.out")"
sleep 1.5
store_qso sp5xyz 12 3
check_stored "$(log_line "$log" 3)" "  21000 PH     QZ1ABC        59  28     SP5XYZ        59  12           "
shot_of "$main" "$shots/wine-main-window.png"

step "the contest overview (F11)"
xdotool key F11
overview=$(window_named "^Przegl.*d zawod.*w$suffix") || fail "F11 did not open the contest overview"
sleep 1.5
shot_of "$overview" "$shots/wine-contest-overview.png"
# The 15 m bar of the rate chart, in its band's colour.
share=$(colour_share "$shots/wine-contest-overview.png" '#bf593e')
awk -v s="$share" 'BEGIN { exit !(s > 0.0005) }' || fail "the overview shows no rate chart (15 m colour share $share)"
xdotool key F11
gone "^Przegl.*d zawod.*w$suffix" || fail "F11 did not close the contest overview"

step "a second copy on the same folder"
start_program "$work/second.out"
second=$!
refusal=$(window_named "^B.*d$suffix" 60) || fail "the second copy showed no error box"
shot_of "$refusal" "$shots/wine-second-copy.png"
xdotool windowfocus --sync "$refusal" key Return
status=0
timeout 30 tail --pid="$second" -f /dev/null || fail "the second copy did not end"
wait "$second" || status=$?
[ "$status" -ne 0 ] || fail "the second copy ended as if it had run"
[ "$(wc -l <"$log")" -eq 3 ] || fail "the second copy changed the log"
xdotool windowfocus --sync "$main"

step "an operator with a Polish name"
click "$main" "${operators_button[@]}"
editor=$(window_named "^Nag.*wek pliku Cabrillo$suffix") || fail "the operator editor did not open"
sleep 0.5
# xdotool types a letter that the keyboard lacks by mapping it to a spare key
# for a moment, and Wine now and then reads the key before the new mapping:
# a name that came out without its letter is typed again.
polish_name=$(printf 'Jan Ka\xb3uski')
for _ in 1 2 3; do
    click "$editor" "${editor_first_operator[@]}"
    click "$editor" "${editor_edit[@]}"
    click "$editor" "${editor_name_field[@]}"
    xdotool key ctrl+a
    LC_ALL=C.UTF-8 xdotool type --delay 300 'Jan Kałuski'
    click "$editor" "${editor_save[@]}"
    sleep 0.5
    grep -aqF "QZ1ABC,$polish_name," "$station/QZ5KV_stationbook.ini" && break
done
grep -aqF "QZ1ABC,$polish_name," "$station/QZ5KV_stationbook.ini" ||
    fail "the operator file does not hold the name in Windows-1250: $(od -c "$station/QZ5KV_stationbook.ini" | head)"
click "$editor" "${editor_return[@]}"
gone "^Nag.*wek pliku Cabrillo$suffix" || fail "\"Powrót\" did not close the operator editor"

step "the Cabrillo export"
xdotool windowfocus --sync "$main"
click "$main" "${cabrillo_button[@]}"
saved=$(window_named "^Informacja$suffix") || fail "the Cabrillo export said nothing"
xdotool windowfocus --sync "$saved" key Return
gone "^Informacja$suffix" || fail "the message of the export did not close"
cabrillo="$station/qz1abc.cbr"
[ -f "$cabrillo" ] || fail "no $cabrillo"
grep -aqx "NAME: $polish_name"$'\r' "$cabrillo" || fail "the Cabrillo header has no NAME line in Windows-1250: $(head -n 12 "$cabrillo" | od -c | head -n 20)"
[ "$(grep -ac '^QSO: ' "$cabrillo")" -eq 3 ] || fail "the Cabrillo file does not hold the three QSOs"

step "the ADIF export"
xdotool windowfocus --sync "$main"
click "$main" "${adif_button[@]}"
adif_window=$(window_named "^Zapis pliku ADIF$suffix") || fail "the ADIF window did not open"
xdotool windowfocus --sync "$adif_window" key Tab space
saved=$(window_named "^Informacja$suffix") || fail "the ADIF export said nothing"
xdotool windowfocus --sync "$saved" key Return
gone "^Informacja$suffix" || fail "the message of the export did not close"
[ -f "$station/qz1abc.adi" ] && [ "$(grep -aoi '<call:' "$station/qz1abc.adi" | wc -l)" -eq 3 ] ||
    fail "qz1abc.adi does not hold the three QSOs"
xdotool windowfocus --sync "$adif_window" key Tab space
gone "^Zapis pliku ADIF$suffix" || fail "\"Powrót\" did not close the ADIF window"

step "one log shared with the Linux program"
# The Linux program on a station folder of its own, with the same broker
# given on its command line: it receives the three QSOs stored under Wine,
# and a QSO typed into it reaches the Windows program's log.
linux="$work/linux"
mkdir -p "$linux"
cp "$QZ_LINUX_PROGRAM" "$linux/"
printf 'QZ1ABC,Jan Kowalski,,ul. Polna 1,,,0,CHECKLOG,,IARU-HF,\r\n' >"$linux/QZ5KV_stationbook.ini"
(cd "$linux" && exec ./QZ5KV_stationbook --share "127.0.0.1:$broker_port" --rig off >"$linux/program.out" 2>&1) &
linux_pid=$!
linux_main=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$linux_pid" --name '^QZ5KV Stationbook$' | head -n 1) ||
    fail "the Linux program's window did not open: $(cat "$linux/program.out")"
# To the lower right corner, so that the Windows program's callsign field and
# the Linux program's "Koniec" are not under the other window.
xdotool windowmove --sync "$linux_main" 330 306
wait_for_lines "$linux/IARU_log.zrv" 3
cmp -s "$log" "$linux/IARU_log.zrv" || fail "the Linux program's log is not the Windows program's: $(cat -A "$linux/IARU_log.zrv")"
xdotool windowfocus --sync "$linux_main"
click "$linux_main" "${callsign_field[@]}"
xdotool key ctrl+a
store_qso ok1abc 15 4 "$linux/IARU_log.zrv"
check_stored "$(log_line "$linux/IARU_log.zrv" 4)" "   1800 CW     QZ1ABC        599 28     OK1ABC        599 15           "
wait_for_lines "$log" 4
cmp -s "$log" "$linux/IARU_log.zrv" || fail "the QSO stored on Linux did not reach the Windows log as it is: $(cat -A "$log")"
# Both programs connected: "Sieć: 2 komputery" in the Windows window. Wine
# takes its window as the active one again only from a click in it.
xdotool windowraise "$main" windowfocus --sync "$main"
click "$main" "${callsign_field[@]}"
sleep 1
shot_of "$main" "$shots/wine-sharing.png"
import -window root "$shots/wine-sharing-screen.png"
# "Koniec": a Linux window has no Alt+F4 without a window manager.
xdotool windowfocus --sync "$linux_main"
click "$linux_main" "${end_button[@]}"
timeout 30 tail --pid="$linux_pid" -f /dev/null || fail "\"Koniec\" did not end the Linux program"
wait "$linux_pid" || fail "the Linux program ended with an error: $(cat "$linux/program.out")"
linux_pid=""
xdotool windowfocus --sync "$main"
click "$main" "${callsign_field[@]}"

step "a spot from the DX cluster, and the exchange from cty.dat"
[ "$(cat "$work/cluster.login" 2>/dev/null)" = $'QZ1ABC\r' ] ||
    fail "the cluster node was not logged in as QZ1ABC: $(od -c "$work/cluster.login" 2>/dev/null)"
xdotool key F12
band_map=$(window_named "^Mapa pasma$suffix") || fail "F12 did not open the band map"
sleep 1
shot_of "$band_map" "$shots/wine-band-map.png"
# Without a window manager the map opens over the callsign field.
xdotool windowmove --sync "$band_map" 640 360
xdotool windowfocus --sync "$main"
click "$main" "${callsign_field[@]}"
# Ctrl+Down takes the spot: its call, band and mode, and the radio tuned to it.
xdotool key ctrl+Down
radio() { rigctl -m 2 -r "127.0.0.1:$rig_port" f m 2>&1 | head -n 2 | tr '\n' ' '; }
for _ in $(seq 50); do [ "$(radio)" = "21025000 CW " ] && break; sleep 0.1; done
[ "$(radio)" = "21025000 CW " ] || fail "the spot did not tune the radio to 21025 kHz CW: $(radio)"
# Enter fills the received exchange with Japan's ITU zone from cty.dat, and
# Enter again stores it as it stands.
before=$(date -u +%s)
xdotool key Return Return
wait_for_lines "$log" 5
after=$(date -u +%s)
check_stored "$(log_line "$log" 5)" "  21000 CW     QZ1ABC        599 28     JA1XYZ        599 45           "
xdotool key F12
gone "^Mapa pasma$suffix" || fail "F12 did not close the band map"

step "F1 sends CQ by the radio's keyer"
xdotool windowfocus --sync "$main"
click "$main" "${callsign_field[@]}"
xdotool key F1
for _ in $(seq 100); do
    grep -aqE "rigctl\\(d\\): b 'currVFO' ' ?CQ TEST QZ1ABC QZ1ABC TEST'" "$work/rigctld.out" && break
    sleep 0.1
done
grep -aqE "rigctl\\(d\\): b 'currVFO' ' ?CQ TEST QZ1ABC QZ1ABC TEST'" "$work/rigctld.out" ||
    fail "rigctld was not asked to send F1's CQ: $(grep -a 'rigctl(d):' "$work/rigctld.out" | tail -n 5)"

step "a voice message: Ctrl+F1 records it, F1 plays it with PTT"
rig M USB 2400 || fail "rigctld does not answer on port $rig_port"
sleep 1.5
click "$main" "${callsign_field[@]}"
recording="$station/glos/QZ1ABC/F1.wav"
xdotool key ctrl+F1
sleep 2
xdotool key ctrl+F1
for _ in $(seq 50); do [ -s "$recording" ] && break; sleep 0.1; done
[ "$(head -c 4 "$recording" 2>/dev/null)" = RIFF ] && [ "$(stat -c %s "$recording")" -gt 1000 ] ||
    fail "Ctrl+F1 twice did not record $recording: $(ls -la "$station/glos/QZ1ABC" 2>&1)"
ptt_lines() { grep -a -o "rigctl(d): T 'currVFO' '[01]'" "$work/rigctld.out" | tr -d "'" | cut -d' ' -f4 | tr -d '\n'; }
[ -z "$(ptt_lines)" ] || fail "PTT was keyed before F1: $(ptt_lines)"
xdotool key F1
for _ in $(seq 100); do [ "$(ptt_lines)" = 10 ] && break; sleep 0.1; done
[ "$(ptt_lines)" = 10 ] || fail "F1 did not play the recording between PTT on and off (PTT: $(ptt_lines))"

step "a question in Polish"
main=$(window_named '^QZ5KV Stationbook$') || fail "the main window did not come back"
click "$main" "${operators_button[@]}"
editor=$(window_named "^Nag.*wek pliku Cabrillo$suffix") || fail "the operator editor did not open again"
click "$editor" "${editor_first_operator[@]}"
click "$editor" "${editor_delete[@]}"
question=$(window_named "^Potwierdzenie$suffix") || fail "deleting an operator asked nothing"
sleep 0.5
shot_of "$question" "$shots/wine-question.png"
# A message box answers to the underlined letters of its buttons: "T" is
# "&Tak" only when the Polish texts are loaded ("&Yes" otherwise).
xdotool key t
gone "^Potwierdzenie$suffix" || fail "the question box has no \"Tak\" button"
for _ in $(seq 50); do grep -aq '^QZ1ABC,' "$station/QZ5KV_stationbook.ini" || break; sleep 0.1; done
! grep -aq '^QZ1ABC,' "$station/QZ5KV_stationbook.ini" || fail "\"Tak\" did not delete the operator"
click "$editor" "${editor_return[@]}"
gone "^Nag.*wek pliku Cabrillo$suffix" || fail "\"Powrót\" did not close the operator editor"

step "closing the main window"
xdotool windowfocus --sync "$main" key alt+F4
timeout 30 tail --pid="$pid" -f /dev/null || fail "closing the main window did not end the program"
wait "$pid" || fail "the program ended with an error"
pid=""

step "CW through cwdaemon on another computer"
cw_port=$((20000 + RANDOM % 20000))
cwdaemon -n -d null -x n -p "$cw_port" -iii >"$work/cwdaemon.out" 2>&1 &
cwdaemon_pid=$!
start_program "$work/cwdaemon-program.out" --cw "cwdaemon:127.0.0.1:$cw_port"
pid=$!
main=$(window_named '^QZ5KV Stationbook$' 90) || fail "the main window did not open again"
xdotool windowfocus --sync "$main"
sleep 1
click "$main" "${callsign_field[@]}"
rig M CW 500 || fail "rigctld does not answer on port $rig_port"
sleep 1.5
xdotool key F6
for _ in $(seq 100); do grep -aqF 'request: "QSO B4"' "$work/cwdaemon.out" && break; sleep 0.1; done
grep -aqF 'request: "QSO B4"' "$work/cwdaemon.out" || fail "cwdaemon did not get F6's text: $(tail -n 5 "$work/cwdaemon.out")"
xdotool windowfocus --sync "$main" key alt+F4
timeout 30 tail --pid="$pid" -f /dev/null || fail "closing the main window did not end the program"
wait "$pid" || fail "the program ended with an error"
pid=""
echo "PASS in $((SECONDS - started)) s; screenshots in $shots"
