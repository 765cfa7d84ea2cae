#!/bin/sh
# Installs the build into a scratch prefix and checks that every file lands
# where desktops look for it.
set -eu
BUILD=$1
PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"' EXIT
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
for file in bin/framewright bin/framewright-cli \
    share/applications/org.framewright.Framewright.desktop \
    share/metainfo/org.framewright.Framewright.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.framewright.Framewright.svg; do
    if [ ! -e "$PREFIX/$file" ]; then
        echo "not installed: $file" >&2
        exit 1
    fi
done
"$PREFIX/bin/framewright-cli" --version
