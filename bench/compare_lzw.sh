#!/usr/bin/env bash
# Times `pluvexa-cli compress` / `pluvexa-cli expand` side by side with
# ncompress's `compress -b16 -c` / `uncompress -c` on the same file, checks
# that both round trips give the input back, and prints sizes and speed ratios
# (above 1: pluvexa-cli is faster).
#
# Usage: bench/compare_lzw.sh PLUVEXA_CLI [INPUT_FILE] [RUNS]
# Without INPUT_FILE the benchmarks' recharge text (10,000 detail lines) is
# generated with bench/tools/write_recharge_text.cpp. RUNS defaults to 20.
set -euo pipefail

cli="${1:?usage: $0 PLUVEXA_CLI [INPUT_FILE] [RUNS]}"
input="${2:-}"
runs="${3:-20}"
here="$(cd "$(dirname "$0")" && pwd)"
command -v compress >/dev/null || { echo "compress (ncompress) is not installed" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ -z "$input" ]; then
  g++ -std=c++20 -O2 -o "$work/write_recharge_text" \
      "$here/recharge_text.cpp" "$here/tools/write_recharge_text.cpp"
  input="$work/recharge.txt"
  "$work/write_recharge_text" "$input"
fi

# Seconds (with fractions) that RUNS repetitions of a command take.
time_runs() {
  local start end
  start=$(date +%s.%N)
  for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }'
}

run_cli_compress() { "$cli" compress "$input" "$work/cli.lzw"; }
run_cli_expand() { "$cli" expand "$work/cli.lzw" "$work/cli.out"; }
run_compress() { compress -b16 -c "$input" > "$work/nc.Z"; }
run_uncompress() { uncompress -c "$work/nc.Z" > "$work/nc.out"; }

# One untimed round each: checks the results and warms the caches.
run_cli_compress >/dev/null; run_cli_expand >/dev/null; run_compress; run_uncompress
cmp -s "$input" "$work/cli.out" || { echo "pluvexa-cli round trip differs from the input" >&2; exit 1; }
cmp -s "$input" "$work/nc.out" || { echo "compress round trip differs from the input" >&2; exit 1; }

t_cli_c=$(time_runs run_cli_compress)
t_nc_c=$(time_runs run_compress)
t_cli_e=$(time_runs run_cli_expand)
t_nc_e=$(time_runs run_uncompress)

size_in=$(stat -c %s "$input")
size_cli=$(stat -c %s "$work/cli.lzw")
size_nc=$(stat -c %s "$work/nc.Z")

ms() { awk -v t="$1" -v n="$runs" 'BEGIN { printf "%.2f", t * 1000 / n }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf 'input            %10d bytes\n' "$size_in"
printf 'pluvexa-cli      %10d bytes  compress %8s ms  expand %8s ms\n' \
       "$size_cli" "$(ms "$t_cli_c")" "$(ms "$t_cli_e")"
printf 'compress -b16    %10d bytes  compress %8s ms  expand %8s ms\n' \
       "$size_nc" "$(ms "$t_nc_c")" "$(ms "$t_nc_e")"
printf 'speed ratio (compress time / pluvexa-cli time): compress %s  expand %s\n' \
       "$(ratio "$t_nc_c" "$t_cli_c")" "$(ratio "$t_nc_e" "$t_cli_e")"
printf 'size ratio (pluvexa-cli / compress): %s\n' "$(awk -v a="$size_cli" -v b="$size_nc" 'BEGIN { printf "%.3f", a / b }')"
