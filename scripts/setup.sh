#!/usr/bin/env bash
# Installs what the program needs to build and test on a fresh Debian 12.
# One line per step; apt and locale-gen themselves stay quiet.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
PACKAGES=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-serialport-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          clang libclang-rt-14-dev lld locales tzdata
          fonts-dejavu-core fonts-ipafont-gothic fonts-noto-cjk
          xvfb imagemagick qt6-qpa-plugins qt6-translations-l10n
          poppler-utils xdotool xclip tesseract-ocr tesseract-ocr-jpn)
echo "setup: checking ${#PACKAGES[@]} packages"
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: updating the package lists (apt-get update)"
  $SUDO apt-get update -qq
  echo "setup: installing ${missing[*]}"
  echo "setup:   (on a fresh system about 5-10 minutes and 1.5 GB of disk)"
  # Through env: sudo drops the caller's environment, and tzdata would then
  # ask for a time zone on a terminal hidden by the redirection.
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# Locales the number and date tests run under.
need_gen=()
for loc in de_DE.UTF-8 ja_JP.UTF-8 en_US.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc%%.*}\.utf-\?8$"; then
    $SUDO sed -i "s/^# *\(${loc} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${loc} UTF-8" /etc/locale.gen || echo "${loc} UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    need_gen+=("$loc")
  fi
done
if [ ${#need_gen[@]} -gt 0 ]; then
  echo "setup: generating the locales ${need_gen[*]} (about a minute)"
  $SUDO locale-gen >/dev/null
fi
echo "setup: everything needed is installed"
