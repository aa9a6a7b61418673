#!/usr/bin/env bash
# Builds the Debian package (pluvexa_<version>_<arch>.deb) in this folder:
# a release build of its own in build-package/, installed under /usr.
# Then: sudo apt install ./pluvexa_*.deb
# Extra arguments go to CMake when build-package/ is first configured, e.g.
# -DPLUVEXA_KEY_DIR=/path/to/company/keys.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="${PLUVEXA_PACKAGE_DIR:-$root/build-package}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX=/usr -DPLUVEXA_BUILD_TESTS=OFF -DPLUVEXA_BUILD_BENCH=OFF "$@" >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" >&2
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/pluvexa_*.deb | head -n 1)"
cp "$deb" "$root/"
echo "$root/$(basename "$deb")"
if command -v lintian >/dev/null; then
  # Errors fail the build; warnings are shown for the record.
  lintian --fail-on error "$root/$(basename "$deb")" >&2
fi
