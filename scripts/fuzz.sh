#!/usr/bin/env bash
# Runs every fuzz target built in build-fuzz/. With a number of seconds, each
# target runs that long (a long run: ./scripts/fuzz.sh 3600); without one, the
# targets share a budget of FUZZ_BUDGET seconds (default 150, at least 10 each),
# so the CI stage stays short however many targets there are.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=()
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] && targets+=("$target")
done
[ "${#targets[@]}" -gt 0 ] || { echo "no fuzz targets were built" >&2; exit 1; }
if [ -n "${1:-}" ]; then
  seconds="$1"
else
  seconds=$(( ${FUZZ_BUDGET:-150} / ${#targets[@]} ))
  [ "$seconds" -ge 10 ] || seconds=10
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] || seeds=""
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $seeds 2>&1 | tail -n 12
done
