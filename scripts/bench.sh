#!/usr/bin/env bash
# Runs every benchmark program of the build directory given as $1 (default: build). The start-up
# benchmark starts displays of its own (Xvfb with openbox).
set -euo pipefail
build="${1:-build}"
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
unset WAYLAND_DISPLAY
status=0
for b in "$build"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
exit "$status"
