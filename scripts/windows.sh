#!/usr/bin/env bash
# Builds the Qt-free half of Pluvexa for Windows with MinGW-w64 (the codec,
# the file core, the command line's core, pluvexa-cli.exe and the Qt-free
# test suites) into build-windows/ and runs the suites under Wine.
# Run after scripts/setup.sh. Prints each phase's time; the last line is the
# path of pluvexa-cli.exe. Any failure ends the script with a non-zero status.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUVEXA_WINDOWS_BUILD_DIR:-$root/build-windows}"
cache="${PLUVEXA_CACHE_DIR:-$HOME/.cache/pluvexa}"
triplet=x86_64-w64-mingw32
cxx="$triplet-g++-posix"
jobs="$(nproc)"

phase_start=0
phase() {
  phase_name="$1"
  phase_start=$(date +%s)
  echo "== $phase_name" >&2
}
phase_done() {
  echo "== $phase_name: $(( $(date +%s) - phase_start )) s" >&2
}

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# 1. The cross compiler and Wine, from Debian, when missing.
phase "tools"
missing=()
for pkg in g++-mingw-w64-x86-64-posix wine wine64; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_if_needed apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi
command -v "$cxx" >/dev/null
command -v wine >/dev/null
phase_done

# 2. Crypto++ as a static MinGW library, built once from Debian's own source
#    package. apt works in a private folder (sources, lists, no package
#    caches) so the machine's own package lists are never touched.
phase "crypto++"
version="$(dpkg-query -W -f='${Version}' libcrypto++-dev 2>/dev/null || true)"
version="${version:-8.7.0+git220824-1}"
prefix="$cache/cryptopp-mingw-$version"
if [ ! -f "$prefix/lib/libcryptopp.a" ]; then
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/apt/cache/archives/partial" \
           "$work/apt/preferences.d" "$work/src"
  : > "$work/apt/sources.list"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      > "$work/apt/sources.list.d/debian.sources"
  fi
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list > "$work/apt/sources.list"
  fi
  apt_private=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
               -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
               -o "Dir::Etc::Preferences=$work/apt/preferences"
               -o "Dir::Etc::PreferencesParts=$work/apt/preferences.d"
               -o "Dir::State::Lists=$work/apt/lists"
               -o "Dir::Cache=$work/apt/cache"
               -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
               -o "APT::Sandbox::User=$(id -un)"
               -o "Debug::NoLocking=1")
  apt-get "${apt_private[@]}" -qq update >&2
  (cd "$work/src" && apt-get "${apt_private[@]}" -qq source "libcrypto++=$version" >&2)
  srcdir="$(find "$work/src" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
  make -C "$srcdir" -f GNUmakefile-cross -j"$jobs" static \
    CXX="$cxx" AR="$triplet-ar" RANLIB="$triplet-ranlib" \
    CXXFLAGS="-DNDEBUG -O2 -pipe" >&2
  mkdir -p "$prefix/lib" "$prefix/include/cryptopp"
  cp "$srcdir"/*.h "$prefix/include/cryptopp/"
  cp "$srcdir/libcryptopp.a" "$prefix/lib/.libcryptopp.a.part"
  mv "$prefix/lib/.libcryptopp.a.part" "$prefix/lib/libcryptopp.a"
  rm -rf "$work"
  trap - EXIT
fi
phase_done

# 3. The core alone, cross-built: libraries, pluvexa-cli.exe, the Qt-free suites.
phase "build"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DPLUVEXA_CORE_ONLY=ON -DPLUVEXA_BUILD_BENCH=OFF \
    -DPLUVEXA_CRYPTOPP_ROOT="$prefix" >&2
fi
cmake --build "$build" --parallel "$jobs" >&2
phase_done

# 4. The suites under Wine, in a prefix of their own, with no display.
phase "tests under Wine"
export WINEPREFIX="${PLUVEXA_WINEPREFIX:-$cache/wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer at the first start
export LANG=C.UTF-8
unset DISPLAY
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
status=0
for suite in "$build"/tests/*_tests.exe; do
  echo "-- $(basename "$suite")" >&2
  if ! (cd "$root" && wine "$suite" --gtest_brief=1 >&2); then
    echo "FAILED: $(basename "$suite")" >&2
    status=1
  fi
done
[ "$status" -eq 0 ]
phase_done

# 5. The same command line: the Linux build's pluvexa-cli (when built) and
#    the Windows one give the same bytes, statuses and words.
if [ -x "$root/build/tools/pluvexa-cli" ]; then
  phase "compared with Linux"
  bash "$root/scripts/windows-compare.sh" "$root/build/tools/pluvexa-cli" "$build/tools/pluvexa-cli.exe" >&2
  phase_done
fi

echo "$build/tools/pluvexa-cli.exe"
