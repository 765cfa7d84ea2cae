#!/usr/bin/env bash
# W3 (2000 JPEG 800x600 -> 50 %, JPEG q75) as 4 parts through GNU parallel,
# each a framewright-cli --shard K/4 with one job, into one shared folder,
# beside the same work as one run with 4 jobs. Checks that the parts wrote
# 2000 outputs and that their merged log holds the single run's 2000 rows:
# the same sources with the same outcomes and output names.
# Usage: bench/run-shards.sh [CORPUS]
set -euo pipefail

RUNS=1
CORPUS=${1:-/tmp/fw-corpus}
# shellcheck source=bench/bench-setup.sh
. "$(dirname "$0")/bench-setup.sh"
command -v parallel >/dev/null || { echo "GNU parallel is missing: apt-get install parallel" >&2; exit 1; }

options=(--percent 50 --format jpg --quality 75 --quiet)
mkdir -p "$OUT/parts" "$OUT/single" "$OUT/logs"

echo "== W3 as 4 parts through GNU parallel"
start=$(date +%s.%N)
parallel --halt now,fail=1 "$CLI" --shard {}/4 --jobs 1 "${options[@]}" \
    --log "$OUT/logs/part{}.csv" -o "$OUT/parts" "$CORPUS/C" ::: 1 2 3 4 >/dev/null
echo "parts: $(echo "$(date +%s.%N) - $start" | bc) s"

start=$(date +%s.%N)
"$CLI" --jobs 4 "${options[@]}" --log "$OUT/single.csv" -o "$OUT/single" "$CORPUS/C" >/dev/null
echo "one run: $(echo "$(date +%s.%N) - $start" | bc) s"

"$CLI" merge-logs "$OUT/merged.csv" "$OUT"/logs/part*.csv
echo "outputs: $(find "$OUT/parts" -type f | wc -l) of the parts, $(find "$OUT/single" -type f | wc -l) of one run"
bash "$SHARED/check-outputs.sh" w3 "$OUT/parts" "$CORPUS" | tail -1

# Source, outcome and the output's file name of every row, in source order.
rows() { tail -n +2 "$1" | cut -d, -f3-5 | awk -F, '{ n = split($2, p, "/"); print $1 "," p[n] "," $3 }' | sort; }
if diff <(rows "$OUT/merged.csv") <(rows "$OUT/single.csv") >/dev/null; then
    echo "merged log: $(rows "$OUT/merged.csv" | wc -l) rows, the same as one run's"
else
    echo "merged log differs from one run's" >&2
    exit 1
fi
