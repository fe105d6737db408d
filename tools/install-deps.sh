#!/usr/bin/env bash
# Installs what building and testing needs on Debian 12 (as root, or through sudo).
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth socat poppler-utils fonts-ipafont-gothic ccache clang libclang-rt-14-dev
          qt6-translations-l10n fonts-dejavu-core libgdal-dev gdal-bin python3-ezdxf
          xdg-utils shared-mime-info libglib2.0-bin desktop-file-utils
          libeigen3-dev libboost-dev libtiff-dev libtiff-tools libexpat1-dev libzip-dev libxml2-utils openbox xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
