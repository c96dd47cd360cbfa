#!/usr/bin/env bash
# Installs the distribution packages the project builds, runs and tests with (Debian 12, as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  libsqlite3-dev sqlite3
  libxlsxwriter-dev zlib1g-dev
  unixodbc unixodbc-dev odbcinst libsqliteodbc
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth clang-format
  dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
