#!/usr/bin/env bash
# Takes the user guide's screenshots again: runs the window tests that make them (on a virtual
# display) and copies their pictures from BUILD/test-artifacts into docs/ and, for the pages
# that show them, into the help book.
set -euo pipefail

build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/$build"
NO_AT_BRIDGE=1 GDK_BACKEND=x11 WAYLAND_DISPLAY= \
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  ctest --output-on-failure -j1 --timeout 300 \
  -R 'Screenshot\.AlertWindow|AboutBox\.AClick|TrayTest\.TheIcon|HelpWindowTest|ReminderEndToEnd\.AWeekly|MissedSummaryEndToEnd\.Five'

art="$root/$build/test-artifacts"
mkdir -p "$root/docs"
copy() {  # source name in test-artifacts, target name in docs/
  cp "$art/$1.png" "$root/docs/$2.png"
  echo "docs/$2.png"
}
copy e2e_main_window main_window
copy alert_window alert_window
copy about_box about_box
copy tray_menu tray_menu
copy help_page help_page
copy missed_summary_window missed_summary_window
cp "$root/docs/main_window.png" "$root/docs/alert_window.png" "$root/docs/missed_summary_window.png" \
  "$root/help/"
echo "help/main_window.png help/alert_window.png help/missed_summary_window.png"
