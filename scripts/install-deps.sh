#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Zorvane needs.
# Idempotent: when all packages and the German locale are present it does nothing (no apt-get
# call at all).
set -euo pipefail

PACKAGES=(
  # build
  cmake g++ make ninja-build pkgconf clang-format
  libwxgtk3.2-dev wx3.2-i18n libx11-dev libsdl2-dev libcurl4-openssl-dev libsqlite3-dev
  libbackward-cpp-dev libdw-dev libical-dev
  # the printouts drawn into a PDF file in the tests; GTK's own dialogs and tray host
  libcairo2-dev libgtk-3-dev
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
  # the German locale for the toolkit's own dialogs, and reading screenshots back in the tests
  locales tesseract-ocr tesseract-ocr-deu
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

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# GTK's own dialogs (file chooser, print dialog, questions) take their texts from the German
# message catalogues, which need a German locale on the machine.
german_locale() {
  locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'
}

if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! german_locale; then
  echo "Generating the locale de_DE.UTF-8"
  $SUDO sed -i -E 's/^# *(de_DE\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen de_DE.UTF-8 >/dev/null
fi
