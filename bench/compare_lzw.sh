#!/usr/bin/env bash
# Times `pluvexa-cli compress` / `expand` against ncompress's
# `compress -b16 -c` / `uncompress -c`, as whole processes writing a file,
# in turns, on the 10,000-holder recharge text and on 3 MiB of random
# bytes; then the start-up of both on a 300-byte file. Checks every round
# trip and prints medians and speed ratios (above 1: pluvexa-cli is faster).
#
# Usage: bench/compare_lzw.sh PLUVEXA_CLI [RUNS]   (RUNS defaults to 15)
set -euo pipefail

cli="$(realpath "${1:?usage: $0 PLUVEXA_CLI [RUNS]}")"
runs="${2:-15}"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=bench/timing.sh
source "$here/timing.sh"
command -v compress >/dev/null || { echo "compress (ncompress) is not installed" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
make_inputs "$work"
head -c 300 "$work/recharge.txt" > "$work/small.txt"

printf '%-24s %12s %12s %12s %12s %8s %8s\n' "$runs runs each, median" "ours c. ms" "ncomp. ms" \
       "ours e. ms" "uncomp. ms" "c. x" "e. x"
for name in recharge.txt random.bin small.txt; do
    in="$work/$name"
    alternate "$runs" ours "'$cli' compress '$in' '$work/ours.lzw'" \
                      theirs "compress -b16 -c '$in' > '$work/theirs.Z'"
    c_ours=$MEDIAN_A c_theirs=$MEDIAN_B
    alternate "$runs" ours "'$cli' expand '$work/ours.lzw' '$work/ours.out'" \
                      theirs "uncompress -c '$work/theirs.Z' > '$work/theirs.out'"
    e_ours=$MEDIAN_A e_theirs=$MEDIAN_B
    cmp -s "$in" "$work/ours.out" || { echo "pluvexa-cli round trip of $name differs" >&2; exit 1; }
    cmp -s "$in" "$work/theirs.out" || { echo "ncompress round trip of $name differs" >&2; exit 1; }
    printf '%-24s %12s %12s %12s %12s %8s %8s\n' "$name ($(stat -c %s "$in") B)" \
           "$(ms "$c_ours")" "$(ms "$c_theirs")" "$(ms "$e_ours")" "$(ms "$e_theirs")" \
           "$(ratio "$c_theirs" "$c_ours")" "$(ratio "$e_theirs" "$e_ours")"
done
