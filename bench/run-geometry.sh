#!/usr/bin/env bash
# One 24 MP JPEG made 1600 pixels wide, upright, at JPEG quality 75: the
# geometry and save path of framewright-cli beside vipsthumbnail, which
# decodes all 24 MP for a 3.75x reduction while Framewright decodes at half
# scale. Target: at most 0.8 of vipsthumbnail's wall time, peak under 160 MB.
# Usage: bench/run-geometry.sh [RUNS] [CORPUS]
set -euo pipefail

RUNS=${1:-7}
CORPUS=${2:-/tmp/fw-corpus}
# shellcheck source=bench/bench-setup.sh
. "$(dirname "$0")/bench-setup.sh"
PHOTO=$(ls "$CORPUS"/A/*-o6.jpg | head -1)

bash "$SHARED/abrun.sh" "$RUNS" \
    "$CLI --width 1600 --rotate auto --format jpg --quality 75 --quiet --on-conflict replace -o $OUT/fw $PHOTO" \
    "vipsthumbnail --size 1600x -o '$OUT/%s.jpg[Q=75]' $PHOTO"
