#!/usr/bin/env bash
# Runs every benchmark program of the build (bench/*_bench.cpp) one after the other.
# Usage: scripts/bench.sh BUILD_DIR [extra Google Benchmark flags]
set -euo pipefail
build="${1:-build}"
shift || true
status=0
for program in "$build"/bench/*_bench; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" "$@" || status=1
done
for script in "$(dirname "$0")"/bench_*.sh; do
  [ -f "$script" ] || continue
  echo "== $(basename "$script")"
  bash "$script" "$build" || status=1
done
exit $status
