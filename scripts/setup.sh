#!/usr/bin/env bash
# Installs the Debian packages Brisko needs (only those missing) and builds it into build/.
# Usage: scripts/setup.sh [--tests]   (--tests adds what the test suite needs: PostgreSQL 15)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libsqlite3-dev libcups2-dev libspandsp-dev qt6-multimedia-dev qt6-translations-l10n libsodium-dev libxlsxwriter-dev zlib1g-dev
  libqt6sql6-odbc tdsodbc fonts-dejavu-core)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(postgresql-15 xauth cups-daemon python3-openpyxl poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
