#!/usr/bin/env bash
# A run of W1 started through the window (offscreen, event loop running,
# screen updated) beside framewright-cli on the same work, as paired medians
# and a ratio, with the window's longest main-thread stall.
#   target: ratio <= 1.1, peak memory at most 10 MB above the CLI's,
#           no stall over 50 ms
# Usage: bench/run-window.sh [RUNS] [CORPUS]
set -euo pipefail

RUNS=${1:-3}
CORPUS=${2:-/tmp/fw-corpus}
# shellcheck source=bench/bench-setup.sh
. "$(dirname "$0")/bench-setup.sh"
WINDOW_RUN=$HERE/../build/bench/framewright_window_run

mkdir -p "$OUT/window" "$OUT/cli"
echo "== W1 through the window (A) and framewright-cli (B)"
bash "$SHARED/abrun.sh" "$RUNS" \
    "rm -rf $OUT/window/* && $WINDOW_RUN $CORPUS/A $OUT/window" \
    "rm -rf $OUT/cli/* && $CLI --width 1600 --height 1067 --rotate auto --format jpg --quality 75 --quiet --on-conflict replace -o $OUT/cli $CORPUS/A"
echo "== the window's longest main-thread stall and its memory before the run"
rm -rf "$OUT/window"/* && QT_LOGGING_RULES="framewright.*=false" "$WINDOW_RUN" "$CORPUS/A" "$OUT/window"
