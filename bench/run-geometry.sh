#!/usr/bin/env bash
# One 24 MP JPEG made 1600 pixels wide, upright, at JPEG quality 75: the
# geometry and save path of framewright-cli beside vipsthumbnail, which
# decodes all 24 MP for a 3.75x reduction while Framewright decodes at half
# scale. Target: at most 0.8 of vipsthumbnail's wall time, peak under 160 MB.
# Usage: bench/run-geometry.sh [RUNS] [CORPUS]
set -euo pipefail

RUNS=${1:-7}
CORPUS=${2:-/tmp/fw-corpus}
HERE=$(cd "$(dirname "$0")" && pwd)
SHARED=${FRAMEWRIGHT_SHARED_BENCH:-$HERE/../../shared/bench}
CLI=${FRAMEWRIGHT_CLI:-$HERE/../build/src/framewright-cli}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

[ -x "$CLI" ] || { echo "build framewright-cli first (make cli)" >&2; exit 1; }
[ -d "$CORPUS/A" ] || bash "$SHARED/make-corpus.sh" "$CORPUS"
PHOTO=$(ls "$CORPUS"/A/*-o6.jpg | head -1)

bash "$SHARED/abrun.sh" "$RUNS" \
    "$CLI --width 1600 --rotate auto --format jpg --quality 75 --quiet --on-conflict replace -o $OUT/fw $PHOTO" \
    "vipsthumbnail --size 1600x -o '$OUT/%s.jpg[Q=75]' $PHOTO"
