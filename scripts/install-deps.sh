#!/usr/bin/env bash
# Installs the Debian packages that the build, the programs and the tests need.
# Idempotent: only missing packages are installed; nothing else is downloaded.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev qt6-translations-l10n
  libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  sqlite3
  fonts-noto-cjk
  libxlsxwriter-dev libzip-dev
  mdbtools-dev mdbtools
  libmodbus-dev
  python3-openpyxl python3-pymodbus python3-serial-asyncio
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
