#!/bin/sh
# Makes a small set of photo-like sample images for `make run`: smooth cloudy
# colour fields with a red marker in the top-left corner of the upright
# picture, in several formats, with EXIF orientations 1, 3, 6 and 8, one grey.
set -eu

OUT=${1:?usage: make-samples.sh OUTDIR}
if [ -f "$OUT/.complete" ]; then
    exit 0
fi
mkdir -p "$OUT"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

band() { # band SEED CELL OUTPUT: one channel of smooth noise in 0..255
    vips perlin "$WORK/p$1.v" 1600 1200 --cell-size "$2" --seed "$1"
    vips linear "$WORK/p$1.v" "$3" 110 128
}

band 1 400 "$WORK/r.v"
band 2 250 "$WORK/g.v"
band 3 600 "$WORK/b.v"
vips bandjoin "$WORK/r.v $WORK/g.v $WORK/b.v" "$WORK/rgb.v"
vips cast "$WORK/rgb.v" "$WORK/field.v" uchar
vips black "$WORK/marker.v" 120 120 --bands 3
vips linear "$WORK/marker.v" "$WORK/red.v" "1 1 1" "230 20 20" --uchar
vips insert "$WORK/field.v" "$WORK/red.v" "$WORK/upright.v" 24 24

tag() { # tag FILE ORIENTATION
    exiv2 -q -M"set Exif.Image.Make Ascii Framewright" -M"set Exif.Image.Model Ascii Sample generator" \
        -M"set Exif.Image.Orientation Short $2" -M"set Exif.Photo.DateTimeOriginal Ascii 2026:12:01 10:00:00" \
        -M"set Exif.GPSInfo.GPSLatitudeRef Ascii N" -M"set Exif.GPSInfo.GPSLatitude Rational 48/1 51/1 30/1" \
        -M"set Exif.GPSInfo.GPSLongitudeRef Ascii E" -M"set Exif.GPSInfo.GPSLongitude Rational 2/1 21/1 5/1" "$1"
}

vips jpegsave "$WORK/upright.v" "$OUT/harbour-o1.jpg" --Q 90
tag "$OUT/harbour-o1.jpg" 1
vips rot "$WORK/upright.v" "$WORK/o3.v" d180
vips jpegsave "$WORK/o3.v" "$OUT/harbour-o3.jpg" --Q 90
tag "$OUT/harbour-o3.jpg" 3
vips rot "$WORK/upright.v" "$WORK/o6.v" d270
vips jpegsave "$WORK/o6.v" "$OUT/harbour-o6.jpg" --Q 90
tag "$OUT/harbour-o6.jpg" 6
vips rot "$WORK/upright.v" "$WORK/o8.v" d90
vips jpegsave "$WORK/o8.v" "$OUT/harbour-o8.jpg" --Q 90
tag "$OUT/harbour-o8.jpg" 8

vips colourspace "$WORK/upright.v" "$WORK/grey.v" b-w
vips jpegsave "$WORK/grey.v" "$OUT/harbour-grey.jpg" --Q 90
vips pngsave "$WORK/upright.v" "$OUT/harbour.png"
vips cast "$WORK/upright.v" "$WORK/deep.v" ushort --shift
vips copy "$WORK/deep.v" "$WORK/deep16.v" --interpretation rgb16
vips tiffsave "$WORK/deep16.v" "$OUT/harbour-16bit.tif" --compression deflate
vips webpsave "$WORK/upright.v" "$OUT/harbour.webp" --Q 85
touch "$OUT/.complete"
