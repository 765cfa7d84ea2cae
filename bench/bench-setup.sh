# Sourced by the whole-run benchmarks: where the shared tools, the command
# line and the corpus are, a scratch folder removed on exit, and the corpus
# made on first use. Expects RUNS and CORPUS to be set by the caller.
HERE=$(cd "$(dirname "$0")" && pwd)
SHARED=${FRAMEWRIGHT_SHARED_BENCH:-$HERE/../../shared/bench}
CLI=${FRAMEWRIGHT_CLI:-$HERE/../build/src/framewright-cli}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

[ -x "$CLI" ] || { echo "build framewright-cli first (make cli)" >&2; exit 1; }
[ -d "$CORPUS/A" ] || bash "$SHARED/make-corpus.sh" "$CORPUS"
