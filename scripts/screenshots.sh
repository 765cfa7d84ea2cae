#!/bin/sh
# Runs the program's window under Xvfb, on a 1280 x 800 screen with a window
# manager, over real photos, in English, German and French, and saves a
# picture of every step and sheet in build/screenshots/<language> (kept out
# of git) to look at.
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
OUT=${1:-$BUILD/screenshots}

if ! command -v xvfb-run >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get install -y --no-install-recommends xvfb xauth openbox
    else
        sudo apt-get install -y --no-install-recommends xvfb xauth openbox
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
for language in en de fr; do
    # shellcheck disable=SC2086
    xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
        openbox >/dev/null 2>&1 &
        sleep 1
        exec "$@"' tour "$BUILD/tests/framewright_screenshot_tour" "$language" "$OUT/$language" $PHOTOS
done
echo "screenshots in $OUT"
