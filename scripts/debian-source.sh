#!/usr/bin/env bash
# Unpacks one of Debian's source packages, with Debian's patches applied, into
# a folder, through apt with a source list of its own, so the machine's apt
# set-up stays as it is; apt checks the files against the archive's signed
# index. Prints the unpacked source folder.
#
#   scripts/debian-source.sh PACKAGE VERSION FOLDER
set -euo pipefail
package=$1 version=$2 folder=$3

mkdir -p "$folder/apt/lists/partial"
printf 'deb-src http://deb.debian.org/debian bookworm main\n' >"$folder/apt/sources.list"
apt_options=(-o Dir::Etc::SourceList="$folder/apt/sources.list" -o Dir::Etc::SourceParts=-
             -o Dir::State::Lists="$folder/apt/lists" -o APT::Sandbox::User=root)
apt-get -qq "${apt_options[@]}" update
(cd "$folder" && apt-get -qq "${apt_options[@]}" source "$package=$version" >/dev/null)
upstream=${version#*:}
echo "$folder/$package-${upstream%-*}"
