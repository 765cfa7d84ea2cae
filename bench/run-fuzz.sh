#!/usr/bin/env bash
# Fuzz-style check: mutants (fixed random seed, so every run makes the same
# files) of small generated files of every accepted format and of the shared
# real-world test files, each converted by framewright-cli in its own
# process. Reports crashes, the slowest file and the largest peak memory, and
# fails when any file crashes, hangs, or takes over 10 s or 1 GiB. CI runs it.
# Usage: bench/run-fuzz.sh [MUTANTS_PER_SEED]   (needs python3 and vips)
set -euo pipefail

MUTANTS=${1:-30}
HERE=$(cd "$(dirname "$0")" && pwd)
CLI=${FRAMEWRIGHT_CLI:-$HERE/../build/src/framewright-cli}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
[ -x "$CLI" ] || { echo "build framewright-cli first (make cli)" >&2; exit 1; }

mkdir -p "$OUT/seeds" "$OUT/files"
cd "$OUT/seeds"
vips gaussnoise noise.v 96 64
vips cast noise.v grey.v uchar
vips bandjoin "grey.v grey.v grey.v" rgb.v
vips copy rgb.v rgb.jpg
vips jpegsave rgb.v progressive.jpg --interlace
vips copy rgb.v rgb.png
vips pngsave rgb.v interlaced.png --interlace
vips copy rgb.v rgb.tif
vips tiffsave rgb.v tiled.tif --tile --tile-width 32 --tile-height 32 --compression deflate
vips copy rgb.v rgb.gif
vips copy rgb.v rgb.webp
vips jp2ksave rgb.v rgb.jp2
vips copy grey.v grey.pgm
vips copy rgb.v rgb.ppm
vips magicksave rgb.v rgb.bmp --format BMP3
vips magicksave rgb.v rgb.pict --format PICT
cp rgb.tif raw.dng
printf '%%!PS-Adobe-3.0 EPSF-3.0\n%%%%BoundingBox: 0 0 96 64\n0 0 96 64 rectfill\nshowpage\n' > box.eps
rm -f ./*.v
# Real files of the shared test data, the small ones (read in place, copied
# only into this temporary folder).
SHARED="$HERE/../../shared/testdata/formats"
if [ -d "$SHARED" ]; then
    find "$SHARED" -type f -size -120k \
        \( -iname '*.jpg' -o -iname '*.png' -o -iname '*.tif' -o -iname '*.gif' -o -iname '*.bmp' \
           -o -iname '*.jp2' -o -iname '*.j2k' -o -iname '*.eps' -o -iname '*.pct' -o -iname '*.pict' \
           -o -iname '*.pgm' -o -iname '*.ppm' -o -iname '*.dng' -o -iname '*.cr2' -o -iname '*.nef' \) |
        sort | head -n 24 | while read -r file; do
            cp "$file" "real-$(basename "$file")"
        done
fi

python3 - "$OUT/seeds" "$OUT/files" "$MUTANTS" <<'PY'
import os, random, struct, sys
seeds, out, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
rng = random.Random(20261207)
def mutate(data):
    data = bytearray(data)
    kind = rng.randrange(4)
    if kind == 0:                                  # flipped bytes
        for _ in range(rng.randint(1, 12)):
            data[rng.randrange(len(data))] = rng.randrange(256)
    elif kind == 1:                                # cut short
        data = data[:rng.randrange(1, len(data))]
    elif kind == 2:                                # a header field made huge
        at = rng.randrange(min(len(data) - 4, 600))
        data[at:at + 4] = rng.choice([b'\xff\xff\xff\xff', b'\x7f\xff\x7f\xff', b'\x00\x00\xff\xff'])
    else:                                          # bytes repeated in the middle
        at = rng.randrange(len(data))
        data[at:at] = data[at:at + rng.randint(1, 64)] * rng.randint(2, 40)
    return bytes(data)
for name in sorted(os.listdir(seeds)):
    data = open(os.path.join(seeds, name), 'rb').read()
    stem, ext = os.path.splitext(name)
    for index in range(count):
        open(os.path.join(out, f'{stem}-{index:03d}{ext}'), 'wb').write(mutate(data))
PY

crashes=0; slowest=0; slowest_file=""; largest=0; largest_file=""; over=0
for file in "$OUT"/files/*; do
    rm -rf "$OUT/o"
    set +e
    timeout 20 /usr/bin/time -f "%M %e" -o "$OUT/time" "$CLI" --quiet --width 300 \
        --rotate auto --format jpg -o "$OUT/o" "$file" >/dev/null 2>&1
    status=$?
    set -e
    if [ "$status" -gt 2 ]; then
        crashes=$((crashes + 1)); echo "exit $status: $(basename "$file")"
        cp "$file" "/tmp/fuzz-failure-$(basename "$file")"
    fi
    read -r rss seconds < <(tail -n 1 "$OUT/time" 2>/dev/null || echo "0 0")
    if awk -v s="$seconds" -v m="$slowest" 'BEGIN { exit !(s > m) }'; then slowest=$seconds; slowest_file=$(basename "$file"); fi
    if [ "${rss:-0}" -gt "$largest" ]; then largest=$rss; largest_file=$(basename "$file"); fi
    if awk -v s="$seconds" -v r="${rss:-0}" 'BEGIN { exit !(s > 10 || r > 1048576) }'; then over=$((over + 1)); fi
done
echo "files: $(ls "$OUT/files" | wc -l); crashes or hangs: $crashes; over 10 s or 1 GiB: $over"
echo "slowest: $slowest s ($slowest_file); largest peak: $((largest / 1024)) MiB ($largest_file)"
[ "$crashes" -eq 0 ] && [ "$over" -eq 0 ]
