#!/usr/bin/env bash
# Starts the installed program; without a display it starts a virtual one and says so.
# Ctrl+C (or a TERM) ends the program the normal way: its window is closed and it shuts down.
set -euo pipefail
prefix="$1"
if [ -n "${DISPLAY:-}" ]; then
  exec "$prefix/zorvane"
fi
echo "Kein Bildschirm (DISPLAY ist leer): Zorvane startet auf einem virtuellen X-Bildschirm (Xvfb)."
echo "No display found: starting Zorvane on a virtual X display (Xvfb); end it with Ctrl+C."
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
unset WAYLAND_DISPLAY
pidfile="$(mktemp)"
# The virtual display runs in a session of its own, so that Ctrl+C reaches only the program,
# which then closes its window while the display is still there.
setsid xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  sh -c 'echo $$ > "$1"; exec "$2"' sh "$pidfile" "$prefix/zorvane" &
runner=$!
stop_program() {
  local pid
  pid="$(cat "$pidfile" 2>/dev/null || true)"
  if [ -n "$pid" ]; then kill -TERM "$pid" 2>/dev/null || true; fi
}
trap stop_program INT TERM
status=0
while kill -0 "$runner" 2>/dev/null; do
  wait "$runner" || status=$?
done
rm -f "$pidfile"
exit "$status"
