#!/usr/bin/env bash
# Runs every benchmark program of a build (bench/*_bench.cpp), one after the other.
#   bash scripts/bench.sh [BUILD_DIR] [extra Google Benchmark options...]
set -euo pipefail
build="${1:-build}"
shift || true
cmake --build "$build" --target $(cd "$(dirname "$0")/../bench" && ls *_bench.cpp | sed 's/\.cpp$//')
for program in "$build"/bench/*_bench; do
  echo "== $(basename "$program")"
  "$program" "$@"
done
