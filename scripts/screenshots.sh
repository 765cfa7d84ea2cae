#!/bin/sh
# Runs the program's window under Xvfb over real photos and saves a picture of
# every step and sheet in build/screenshots (kept out of git) to look at.
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
OUT=${1:-$BUILD/screenshots}

if ! command -v xvfb-run >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get install -y --no-install-recommends xvfb xauth
    else
        sudo apt-get install -y --no-install-recommends xvfb xauth
    fi
fi

make build >/dev/null
cmake --build "$BUILD" --target framewright_screenshot_tour
./scripts/make-samples.sh "$BUILD/samples"

# Real photos where the shared test data is present, the samples otherwise.
PHOTOS=""
for folder in ../shared/testdata/camera-exif ../shared/testdata/orientation/libvips-rotation; do
    [ -d "$folder" ] && PHOTOS="$PHOTOS $folder"
done
PHOTOS="$PHOTOS $BUILD/samples"

rm -rf "$OUT"
# shellcheck disable=SC2086
xvfb-run -a -s "-screen 0 1280x860x24" "$BUILD/tests/framewright_screenshot_tour" "$OUT" $PHOTOS
echo "screenshots in $OUT"
