#!/usr/bin/env bash
# Checks a built package the way an administrator would find it: unpacked
# into a scratch root, its command line runs, and its menu entry is valid.
# Usage: scripts/check-package.sh pluvexa_*.deb
set -euo pipefail
deb="$(realpath "$1")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
cli="$scratch/root/usr/bin/pluvexa-cli"
test -x "$scratch/root/usr/bin/pluvexa"
"$cli" --version
HOME="$scratch/home" "$cli" demo --holders 5 --folder "$scratch/received" >/dev/null
ls "$scratch/received"/*_1.rec >/dev/null
HOME="$scratch/home" "$cli" check "$(ls "$scratch/received"/*_1.rec)" >/dev/null 2>&1
desktop-file-validate "$scratch/root/usr/share/applications/pluvexa.desktop"
test -f "$scratch/root/usr/share/icons/hicolor/scalable/apps/pluvexa.svg"
test -f "$scratch/root/usr/share/icons/hicolor/48x48/apps/pluvexa.png"
test -f "$scratch/root/usr/share/man/man1/pluvexa.1.gz"
zcat "$scratch/root/usr/share/man/man1/pluvexa-cli.1.gz" | grep -q 'seal'
echo "package checked: $(basename "$deb")"
