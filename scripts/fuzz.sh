#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (default 30) each.
# A long run: ./scripts/fuzz.sh 3600   (after building build-fuzz as test.sh does)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
found=0
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] || seeds=""
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $seeds 2>&1 | tail -n 12
  found=1
done
[ "$found" -eq 1 ] || { echo "no fuzz targets were built" >&2; exit 1; }
