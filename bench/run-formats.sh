#!/usr/bin/env bash
# The modern output formats on W1 (40 JPEG 6000x4000 -> 1600 wide, upright):
# framewright-cli writing WebP, AVIF and JPEG XL at quality 75 beside the
# yardstick vipsthumbnail writing the same format at the same quality, as
# paired medians and ratios (target ratio <= 1.0 for each), with the outputs'
# sizes read back. Usage: bench/run-formats.sh [RUNS] [CORPUS]
set -euo pipefail

RUNS=${1:-3}
CORPUS=${2:-/tmp/fw-corpus}
# shellcheck source=bench/bench-setup.sh
. "$(dirname "$0")/bench-setup.sh"

for format in webp avif jxl; do
    mkdir -p "$OUT/$format-fw" "$OUT/$format-vt"
    echo "== W1 as $format"
    bash "$SHARED/abrun.sh" "$RUNS" \
        "$CLI --width 1600 --rotate auto --format $format --quality 75 --quiet --on-conflict replace -o $OUT/$format-fw $CORPUS/A" \
        "vipsthumbnail --size 1600x -o '$OUT/$format-vt/%s.$format[Q=75]' $CORPUS/A/*.jpg"
    written=$(find "$OUT/$format-fw" -name "*.$format" | wc -l)
    wide=$(for file in "$OUT/$format-fw"/*."$format"; do vipsheader -f width "$file" 2>/dev/null; done | sort -u | tr '\n' ' ')
    echo "$written outputs, widths: $wide"
done
