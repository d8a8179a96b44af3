#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Tolvenar need.
# Quick when everything is there: apt only runs for packages that are missing.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libsdl2-dev libsdl2-mixer-dev libfontconfig-dev libfreetype-dev libpng-dev
  libgtest-dev libbenchmark-dev libx11-dev
  fonts-unfonts-core fonts-nanum timgm6mb-soundfont
  xvfb xauth xdotool x11-utils imagemagick sox valgrind
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}" >&2
SUDO=()
[ "$(id -u)" -ne 0 ] && SUDO=(sudo)
"${SUDO[@]}" apt-get update
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  -o DPkg::Lock::Timeout=600 "${missing[@]}"
