#!/usr/bin/env bash
# Builds the Debian package from a built folder (default build) and prints the package's path.
# Install it with: apt-get install ./build/vornel_VERSION_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
(cd "$dir" && cpack -G DEB >/dev/null)
ls -t "$dir"/vornel_*.deb | head -1
