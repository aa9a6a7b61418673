#!/bin/bash
# Times sealing and opening a 3 MB file with pluvexa-cli beside OpenSSL's
# DES-CBC alone on the same file, and prints the ratios (below 1: faster
# than OpenSSL).
# Usage: bench/compare_envelope.sh path/to/pluvexa-cli [runs]
set -euo pipefail

cli=${1:?usage: $0 path/to/pluvexa-cli [runs]}
runs=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
keys="$root/keys/demo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

head -c $((3 * 1024 * 1024)) /dev/urandom > "$work/plain"
key=$(od -An -tx1 -N8 /dev/urandom | tr -d ' \n')
iv=$(od -An -tx1 -N8 /dev/urandom | tr -d ' \n')
legacy=(-provider legacy -provider default)

# Best wall time of $runs runs, in milliseconds.
best_ms() {
    local best=""
    for ((i = 0; i < runs; i++)); do
        local t0 t1 ms
        t0=$(date +%s%N)
        "$@" > /dev/null
        t1=$(date +%s%N)
        ms=$(( (t1 - t0) / 1000 ))
        if [[ -z $best || $ms -lt $best ]]; then best=$ms; fi
    done
    awk -v us="$best" 'BEGIN { printf "%.1f", us / 1000 }'
}

seal=$(best_ms "$cli" seal --signer "$keys/own.private" --recipient "$keys/central.public" \
    "$work/plain" "$work/sealed")
open=$(best_ms "$cli" open --key "$keys/central.private" --sender "$keys/own.public" \
    "$work/sealed" "$work/opened")
cmp -s "$work/plain" "$work/opened" || { echo "opened file differs from the input" >&2; exit 1; }
enc=$(best_ms openssl enc -des-cbc "${legacy[@]}" -K "$key" -iv "$iv" \
    -in "$work/plain" -out "$work/openssl.des")
dec=$(best_ms openssl enc -d -des-cbc "${legacy[@]}" -K "$key" -iv "$iv" \
    -in "$work/openssl.des" -out "$work/openssl.plain")

printf '%-34s %10s\n' "3 MB, best of $runs" "ms"
printf '%-34s %10s\n' "pluvexa-cli seal (DES-CBC + MD5)" "$seal"
printf '%-34s %10s\n' "openssl enc -des-cbc" "$enc"
printf '%-34s %10s\n' "pluvexa-cli open" "$open"
printf '%-34s %10s\n' "openssl enc -d -des-cbc" "$dec"
awk -v s="$seal" -v e="$enc" -v o="$open" -v d="$dec" \
    'BEGIN { printf "ratio seal/openssl %.2f, open/openssl %.2f\n", s / e, o / d }'
