#!/usr/bin/env bash
# Configures (once) and builds Pluvexa into build/ (or $PLUVEXA_BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUVEXA_BUILD_DIR:-$root/build}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"
