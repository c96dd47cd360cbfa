#!/usr/bin/env bash
# Installs what is needed, builds and runs every test (unit tests and acceptance scenarios).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh "${BUILD_DIR:-build}" "$@"
cd "${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
