#!/usr/bin/env bash
# Takes the operator manual's pictures (docs/manual/img/*.png) from the real
# windows, so that they follow the program: builds pluvexa-capturas and runs
# it on a virtual 1366x768 screen. It works as an operator would, in
# /home/operador with the company's disk at /media/operador/PENDRIVE, so
# that the paths in the pictures are those of an installed program: both
# are private mounts of a user namespace, over an empty /tmp. Where no such
# namespace can be made, a temporary home stands in and the pictures show
# its paths. The pictures are reduced to 256 colours when ImageMagick's
# convert is installed. The listing, the import result and the processing
# log print the time of the run, so those three pictures change at every
# run; the others come out the same.
# Usage: scripts/manual-screenshots.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUVEXA_BUILD_DIR:-$root/build}"
capturas="$build/tools/screenshots/pluvexa-capturas"
destino="$root/docs/manual/img"

# Runs the capture with HOME and the disk folder given; the pictures go to
# the manual's folder.
fotografa() {
  local casa="$1" disco="$2" fotos
  fotos="$(mktemp -d)"
  env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$casa" \
    xvfb-run -a -s '-screen 0 1366x768x24' "$capturas" "$fotos" "$disco"
  mkdir -p "$destino"
  rm -f "$destino"/*.png
  for f in "$fotos"/*.png; do
    if command -v convert >/dev/null; then
      convert "$f" -strip +dither -colors 256 "PNG8:$destino/$(basename "$f")"
    else
      cp "$f" "$destino/"
    fi
  done
  rm -rf "$fotos"
}

if [ "${1:-}" = --inside ]; then
  # Inside the namespace: an empty /tmp (unless the build lies there), the
  # operator's home and the company's disk.
  case "$root/ $build/" in
    /tmp/*) ;;
    *) mount -t tmpfs tmpfs /tmp ;;
  esac
  mount -t tmpfs tmpfs /home
  mkdir -p /home/operador
  disco=/home/operador/PENDRIVE
  if [ -d /media ]; then
    mount -t tmpfs tmpfs /media
    disco=/media/operador/PENDRIVE
    mkdir -p "$disco"
    mount -t tmpfs -o size=16m tmpfs "$disco"
  fi
  fotografa /home/operador "$disco"
  exit 0
fi

cmake --build "$build" --target pluvexa-capturas >/dev/null
if unshare --user --map-root-user --mount true 2>/dev/null; then
  exec unshare --user --map-root-user --mount "$0" --inside
fi
echo "manual-screenshots: no user namespace here; the pictures show a temporary home's paths" >&2
casa="$(mktemp -d)"
trap 'rm -rf "$casa"' EXIT
fotografa "$casa" "$casa/PENDRIVE"
