#!/bin/sh
# Installs every Debian package that building, testing and running Framewright
# needs. Safe to run again: packages already present are skipped.
set -eu

PACKAGES="
cmake ninja-build ccache pkg-config g++ make
qt6-base-dev libqt6svg6 qt6-translations-l10n
libvips-dev libvips-tools
libexiv2-dev exiv2
libplist++-dev libplist-dev
libsqlite3-dev sqlite3
libraw-dev libopenjp2-7-dev
ghostscript
libgtest-dev libgmock-dev libbenchmark-dev
time libimage-exiftool-perl
appstream desktop-file-utils dbus-daemon dpkg-dev parallel
"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    echo "install-deps: all packages present"
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

echo "install-deps: installing$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
