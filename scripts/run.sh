#!/usr/bin/env bash
# Starts the installed program; without a display it starts a virtual one and says so.
set -euo pipefail
prefix="$1"
if [ -n "${DISPLAY:-}" ]; then
  exec "$prefix/zorvane"
fi
echo "Kein Bildschirm (DISPLAY ist leer): Zorvane startet auf einem virtuellen X-Bildschirm (Xvfb)."
echo "No display found: starting Zorvane on a virtual X display (Xvfb); close it with Ctrl+C."
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
unset WAYLAND_DISPLAY
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$prefix/zorvane"
