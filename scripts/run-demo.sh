#!/usr/bin/env bash
# Installs what is needed, builds and opens the host program on the embedded demo database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a ./build/app/vornel "$@"
fi
exec ./build/app/vornel "$@"
