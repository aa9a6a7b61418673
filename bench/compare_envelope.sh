#!/usr/bin/env bash
# Times `pluvexa-cli seal` / `open` (DES-CBC with an MD5 signature, the
# demonstration keys) against `openssl enc -des-cbc` encrypting / decrypting
# the same file alone, as whole processes, in turns, on the 10,000-holder
# recharge text and on 3 MiB of random bytes. Checks every round trip and
# prints medians and speed ratios (above 1: pluvexa-cli is faster).
#
# Usage: bench/compare_envelope.sh PLUVEXA_CLI [RUNS]   (RUNS defaults to 15)
set -euo pipefail

cli="$(realpath "${1:?usage: $0 PLUVEXA_CLI [RUNS]}")"
runs="${2:-15}"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=bench/timing.sh
source "$here/timing.sh"
keys="$here/../keys/demo"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
make_inputs "$work"
key=$(od -An -tx1 -N8 /dev/urandom | tr -d ' \n')
iv=$(od -An -tx1 -N8 /dev/urandom | tr -d ' \n')
ssl="openssl enc -des-cbc -provider legacy -provider default -K $key -iv $iv"

printf '%-24s %12s %12s %12s %12s %8s %8s\n' "$runs runs each, median" "seal ms" "enc ms" \
       "open ms" "enc -d ms" "seal x" "open x"
for name in recharge.txt random.bin; do
    in="$work/$name"
    alternate "$runs" ours "'$cli' seal --signer '$keys/own.private' --recipient '$keys/central.public' '$in' '$work/sealed'" \
                      theirs "$ssl -in '$in' -out '$work/ssl.des'"
    s_ours=$MEDIAN_A s_theirs=$MEDIAN_B
    alternate "$runs" ours "'$cli' open --key '$keys/central.private' --sender '$keys/own.public' '$work/sealed' '$work/opened'" \
                      theirs "$ssl -d -in '$work/ssl.des' -out '$work/ssl.plain'"
    o_ours=$MEDIAN_A o_theirs=$MEDIAN_B
    cmp -s "$in" "$work/opened" || { echo "pluvexa-cli round trip of $name differs" >&2; exit 1; }
    cmp -s "$in" "$work/ssl.plain" || { echo "openssl round trip of $name differs" >&2; exit 1; }
    printf '%-24s %12s %12s %12s %12s %8s %8s\n' "$name ($(stat -c %s "$in") B)" \
           "$(ms "$s_ours")" "$(ms "$s_theirs")" "$(ms "$o_ours")" "$(ms "$o_theirs")" \
           "$(ratio "$s_theirs" "$s_ours")" "$(ratio "$o_theirs" "$o_ours")"
done
