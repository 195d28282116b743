#!/usr/bin/env bash
# Runs a command that needs an X display (the toolkit's fonts): on the display at hand when there
# is one that works, else on a virtual display of its own.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" "$@"
