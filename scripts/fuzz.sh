#!/usr/bin/env bash
# Builds every fuzz/*_fuzz.cpp with libFuzzer and AddressSanitizer in fuzz-build/ (clang, the
# core libraries instrumented, no windows, tests or benchmarks), writes the seed corpora the
# engine makes itself, and runs each target for SECONDS seconds (default 20), two at a time.
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
# Corpora grow in fuzz-build/corpus/<target>/; findings land in fuzz-build/findings/<target>/.
set -euo pipefail

seconds="${1:-20}"
shift || true
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/fuzz-build"
jobs=2

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZRV_BUILD_FUZZ=ON -DZRV_BUILD_UI=OFF -DZRV_BUILD_TESTS=OFF -DZRV_BUILD_BENCH=OFF >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in "$root"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
cmake --build "$build" -j "$jobs" --target seed_corpus "${targets[@]}"

mkdir -p "$build/corpus"
"$build/fuzz/seed_corpus" "$build/corpus"

run_one() {
  local target="$1"
  local corpus="$build/corpus/$target" findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  local seeds=()
  [ -d "$root/fuzz/seeds/$target" ] && seeds+=("$root/fuzz/seeds/$target")
  # -rss_limit_mb keeps two targets within the machine; a crash ends the run with its input.
  if "$build/fuzz/$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" \
      -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/" \
      >"$build/$target.log" 2>&1; then
    echo "$target: $(grep -E '^stat::number_of_executed_units' "$build/$target.log" | awk '{print $2}') runs," \
      "$(grep -oE 'cov: [0-9]+' "$build/$target.log" | tail -1), no findings"
  else
    echo "$target: FINDING, see $build/$target.log and $findings/"
    return 1
  fi
}

status=0
pids=()
for target in "${targets[@]}"; do
  run_one "$target" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
