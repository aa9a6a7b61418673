#!/usr/bin/env bash
# Installs, from Debian's packages, everything Pluvexa needs to build, test
# and run. Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev libgl-dev libqt6svg6 qt6-translations-l10n
  libcrypto++-dev libboost-dev
  libquazip1-qt6-dev libfreexl-dev libxlsxwriter-dev  # workbooks in and out
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core
  dpkg-dev lintian desktop-file-utils librsvg2-bin
  fonts-liberation2 poppler-utils
  ncompress openssl  # what bench/compare_lzw.sh and compare_envelope.sh time against
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
