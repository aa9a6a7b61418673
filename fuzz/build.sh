#!/usr/bin/env bash
# Builds the libFuzzer targets with clang++ straight from the sources they
# need, into fuzz/out/. Usage: fuzz/build.sh
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
out="$here/out"
mkdir -p "$out"
flags=(-std=c++20 -O2 -g -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Wall -Wextra -I "$root/src" -I "$root/tests/recharge")
for target in lzw_expand_fuzz lzw_roundtrip_fuzz; do
  clang++ "${flags[@]}" "$here/$target.cpp" "$root/src/recharge/lzw.cpp" -o "$out/$target"
  echo "built $out/$target"
done
