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
received="$(ls "$scratch/received"/*_1.rec)"
HOME="$scratch/home" "$cli" check "$received" >/dev/null 2>&1
# compress and expand run in pluvexa-cli itself, the rest in pluvexa-cli-full
# beside it: both halves must be installed.
test -x "$scratch/root/usr/bin/pluvexa-cli-full"
"$cli" compress "$received" "$scratch/c.lzw" >/dev/null
"$cli" expand "$scratch/c.lzw" "$scratch/c.out" >/dev/null
cmp "$received" "$scratch/c.out"
# The listing's PDF comes from a helper program beside the CLI, with the
# fonts the package depends on.
QT_QPA_PLATFORM=offscreen HOME="$scratch/home" "$cli" listing "$received" --pdf "$scratch/listing.pdf" 2>/dev/null
test -s "$scratch/listing.pdf"
desktop-file-validate "$scratch/root/usr/share/applications/pluvexa.desktop"
test -f "$scratch/root/usr/share/icons/hicolor/scalable/apps/pluvexa.svg"
test -f "$scratch/root/usr/share/icons/hicolor/48x48/apps/pluvexa.png"
test -f "$scratch/root/usr/share/man/man1/pluvexa.1.gz"
# pluvexa-cli's page documents every command the installed program lists.
pagina="$(zcat "$scratch/root/usr/share/man/man1/pluvexa-cli.1.gz")"
for comando in $("$cli" --help | awk '/^Commands:$/ { d = 1; next } /^$/ { d = 0 } d && /^  [a-z]/ { print $1 }'); do
  grep -qx ".SS $comando" <<<"$pagina"
done
# The operator's manual, with every picture its pages show.
manual="$scratch/root/usr/share/doc/pluvexa/manual"
test -f "$manual/index.html"
for img in $(grep -ho 'src="img/[^"]*"' "$manual"/*.html | sed 's/^src="//; s/"$//' | sort -u); do
  test -f "$manual/$img" || { echo "the manual's $img is not installed" >&2; exit 1; }
done
echo "package checked: $(basename "$deb")"
