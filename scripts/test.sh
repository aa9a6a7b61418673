#!/usr/bin/env bash
# Quick start: install what is missing, build, and run every test headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${PLUVEXA_BUILD_DIR:-$root/build}" --output-on-failure --parallel "$(nproc)" --timeout 300
