#!/usr/bin/env bash
# Whole-run benchmark: framewright-cli beside the yardstick vipsthumbnail on the
# three workloads of the shared corpus, as paired medians and ratios, with
# Framewright's outputs checked. Usage: bench/run-batch.sh [RUNS] [CORPUS]
#   W1: 40 JPEG 6000x4000 -> 1600 wide, upright, JPEG q75     target ratio <= 0.8
#   W2: 40 PNG/TIFF 4000x3000 -> JPEG q75 at own size          target ratio <= 1.1
#   W3: 2000 JPEG 800x600 -> 50 %, JPEG q75                     target ratio <= 0.9
# and peak memory on W1 at most 210 MiB, the same after 40 photos as after 4.
set -euo pipefail

RUNS=${1:-3}
CORPUS=${2:-/tmp/fw-corpus}
# shellcheck source=bench/bench-setup.sh
. "$(dirname "$0")/bench-setup.sh"

workload() { # NAME SOURCE FRAMEWRIGHT_OPTIONS VIPSTHUMBNAIL_SIZE
    local name=$1 source=$2 options=$3 size=$4
    mkdir -p "$OUT/$name-fw" "$OUT/$name-vt"
    echo "== $name"
    bash "$SHARED/abrun.sh" "$RUNS" \
        "$CLI $options --format jpg --quality 75 --quiet --on-conflict replace -o $OUT/$name-fw $source" \
        "vipsthumbnail --size $size -o '$OUT/$name-vt/%s.jpg[Q=75]' $source/*"
    bash "$SHARED/check-outputs.sh" "$(echo "$name" | tr 'W' 'w')" "$OUT/$name-fw" "$CORPUS" | tail -1
}

workload W1 "$CORPUS/A" "--width 1600 --rotate auto" 1600x
workload W2 "$CORPUS/B" "" 4000x
workload W3 "$CORPUS/C" "--percent 50" 400x

echo "== W1 peak memory: 4 photos against 40"
mkdir -p "$OUT/four"
cp "$CORPUS"/A/a00[0-3]-*.jpg "$OUT/four/"
for batch in "$OUT/four" "$CORPUS/A"; do
    rm -rf "$OUT/peak" && mkdir -p "$OUT/peak"
    /usr/bin/time -f "%M" -o "$OUT/rss" "$CLI" --width 1600 --rotate auto --format jpg --quality 75 --quiet \
        -o "$OUT/peak" "$batch" >/dev/null
    echo "$(ls "$batch" | wc -l) photos: peak $(awk '{ printf "%.1f", $1 / 1024 }' "$OUT/rss") MiB"
done
