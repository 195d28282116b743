#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Zorvane needs.
# Idempotent: when all packages are present it does nothing (no apt-get call at all).
set -euo pipefail

PACKAGES=(
  # build
  cmake g++ make ninja-build pkgconf clang-format
  libwxgtk3.2-dev wx3.2-i18n libx11-dev libsdl2-dev libcurl4-openssl-dev libsqlite3-dev
  libbackward-cpp-dev libdw-dev libical-dev
  # the printouts drawn into a PDF file in the tests
  libcairo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # fuzzing (clang with libFuzzer and the sanitizer runtimes)
  clang libclang-rt-14-dev
  # windows under a virtual display, driving them like a user (the build paints its lettered
  # pictures on one too)
  xvfb xauth x11-utils xdotool openbox wmctrl imagemagick fonts-liberation2
  # a notification area (tray host) and the clipboard from outside, for the tray and copy tests
  trayer xclip
  # the autostart entry checked by the desktop's own validator and started by its launcher (gio)
  desktop-file-utils libglib2.0-bin
  # independent readers and writers of the tables and of printed PDF files, local test servers
  python3 python3-dbfread python3-dbf python3-aiosmtpd openssl poppler-utils
  # iCalendar files written by another program, and the terminal calendars the command line is
  # tested and measured against
  python3-icalendar calcurse remind
  # certificates of mail servers reached over TLS
  ca-certificates
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
