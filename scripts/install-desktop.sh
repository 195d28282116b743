#!/usr/bin/env bash
# Puts an installed Zorvane into the user's application menu: the desktop entry of the program
# directory DIR (pointing at DIR/zorvane) into $XDG_DATA_HOME/applications and the program icon
# into the hicolor icon theme there. Run again after moving the program directory.
set -euo pipefail

dir=$(cd "${1:?usage: install-desktop.sh <program directory>}" && pwd)
[ -f "$dir/zorvane.desktop" ] || { echo "$dir/zorvane.desktop is missing: install first" >&2; exit 1; }

data=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$data/applications"
install -m 0644 "$dir/zorvane.desktop" "$data/applications/zorvane.desktop"
echo "Installed: $data/applications/zorvane.desktop"

for png in "$dir"/icons/zorvane-*.png; do
  size=$(basename "$png" .png)
  size=${size#zorvane-}
  target="$data/icons/hicolor/${size}x${size}/apps"
  mkdir -p "$target"
  install -m 0644 "$png" "$target/zorvane.png"
done
echo "Installed: $data/icons/hicolor/*/apps/zorvane.png"

# Menus and icon caches pick the new files up at once where the tools exist.
if command -v update-desktop-database >/dev/null; then
  update-desktop-database -q "$data/applications" || true
fi
if command -v gtk-update-icon-cache >/dev/null && [ -f "$data/icons/hicolor/index.theme" ]; then
  gtk-update-icon-cache -q "$data/icons/hicolor" || true
fi
