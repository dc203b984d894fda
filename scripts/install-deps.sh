#!/usr/bin/env bash
# Installs the Debian packages that are missing. This is the only place that
# names packages; it is safe to run again.
#
#   install-deps.sh run       building and running the program (scripts/start.sh)
#   install-deps.sh [test]    that, and the tools of the tests and checks (scripts/test.sh)
#   install-deps.sh windows   that, and what the Windows builds and checks need
set -euo pipefail

set=${1:-test}
case "$set" in
    run | test | windows) ;;
    *) echo "usage: $0 [run | test | windows]" >&2; exit 2 ;;
esac

packages=(
    cmake ninja-build g++            # build
    qt6-base-dev                     # Qt 6 Widgets and Network
    qt6-translations-l10n            # Polish texts of the standard buttons
    hamradio-files                   # cty.dat and MASTER.SCP for the contest overview
    fonts-dejavu-core                # a fixed-pitch font for the log list
    libmosquitto-dev pkg-config      # sharing one log: the broker's client library, found through pkg-config
    libhamlib-utils                  # rigctld, through which the band and mode follow the radio
    qt6-multimedia-dev               # the voice messages: Qt's sound, which plays and records through PulseAudio
)
# A sound server for it, unless PipeWire already serves PulseAudio's clients.
dpkg-query -W -f='${Status}' pipewire-pulse 2>/dev/null | grep -q 'install ok installed' || packages+=(pulseaudio)
if [ "$set" != run ]; then
    packages+=(
        libgtest-dev libgmock-dev        # unit and window tests
        libbenchmark-dev                 # bench/
        dpkg-dev desktop-file-utils file # the Debian package and its test
        clang libclang-rt-dev            # libFuzzer targets and their sanitizer runtimes (scripts/fuzz.sh)
        clang-format clang-tidy          # format and static checks (scripts/check-sources.sh, tidy.sh)
        xvfb xauth xdotool imagemagick   # the end-to-end test on a virtual screen
        x11-utils                        # xev and xprop: bench/startup_x.sh
        mosquitto                        # the station's broker, started by the sharing tests
        cwdaemon                         # the CW keyer daemon, started by the function-key tests
        pulseaudio pulseaudio-utils      # the voice tests' own sound server with a null sink and source; pactl
        openbox wmctrl xclip python3     # the random walk: a real window manager, its actions, pastes, the driver
    )
fi
if [ "$set" = windows ]; then
    packages+=(
        g++-mingw-w64-x86-64-posix   # the core and the program built for Windows
        googletest                   # GoogleTest sources, built for that target
        wine wine64 fonts-wine       # runs the Windows core tests and the program, with Windows' fonts
        dpkg-dev xz-utils            # Debian's Qt sources, unpacked and patched (scripts/windows-qt.sh)
        librsvg2-bin                 # the program's icon for Windows, from its SVG
        zip unzip                    # the Windows zip and its check
    )
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
