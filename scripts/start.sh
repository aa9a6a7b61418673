#!/usr/bin/env bash
# Quick start: install what is missing, build, and start Pluvexa.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
program="${PLUVEXA_BUILD_DIR:-$root/build}/src/app/pluvexa"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: run it under a virtual one with: xvfb-run -a -s '-screen 0 1280x800x24' $program"
  exit 1
fi
exec "$program"
