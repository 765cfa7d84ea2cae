#!/usr/bin/env bash
# A run of W1 started through the window (offscreen, event loop running,
# screen updated) beside framewright-cli on the same work, as paired medians
# and a ratio, with the window's longest main-thread stall: first the whole
# processes (the window's start-up, its steps and the output step's preview,
# awaited as a user reading the step would, included), then the run alone
# (Start to the summary in the window) against the CLI's whole process.
#   target: the run alone within 1.05 x the CLI, no stall over 50 ms
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
echo "== the run alone: Start to summary in the window against framewright-cli's whole process"
ratios=""
for _ in $(seq "$RUNS"); do
    rm -rf "$OUT/window"/*
    report=$(QT_LOGGING_RULES="framewright.*=false" "$WINDOW_RUN" "$CORPUS/A" "$OUT/window" 2>/dev/null)
    echo "window: $report"
    window=$(echo "$report" | sed -n 's/.*run \([0-9]*\) ms.*/\1/p')
    rm -rf "$OUT/cli"/*
    start=$(date +%s%N)
    "$CLI" --width 1600 --height 1067 --rotate auto --format jpg --quality 75 --quiet \
        --on-conflict replace -o "$OUT/cli" "$CORPUS/A" >/dev/null
    cli=$((($(date +%s%N) - start) / 1000000))
    echo "framewright-cli: $cli ms"
    ratios="$ratios $(echo "scale=3; $window / $cli" | bc)"
done
echo "run alone / CLI, median of pairs: $(echo "$ratios" | tr ' ' '\n' | sed '/^$/d' | sort -n | awk '{ r[NR] = $1 } END { print (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2 }')"
