#!/usr/bin/env bash
# Quick start: install what is missing, build, and run every test headless.
# --sanitize builds into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the same tests there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
if [ "${1:-}" = "--sanitize" ]; then
  export PLUVEXA_BUILD_DIR="${PLUVEXA_BUILD_DIR:-$root/build-asan}"
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
  "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Debug -DPLUVEXA_SANITIZE=ON -DPLUVEXA_BUILD_BENCH=OFF
else
  "$root/scripts/build.sh"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${PLUVEXA_BUILD_DIR:-$root/build}" --output-on-failure --parallel "$(nproc)" --timeout 300
