#!/bin/sh
# Builds the envelope-opening fuzzer (clang, libFuzzer, ASan, UBSan) as
# fuzz/out/envelope_open_fuzz. Usage: fuzz/build_envelope.sh [output]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/fuzz/out/envelope_open_fuzz"}
mkdir -p "$(dirname "$out")"
src="$root/src/recharge"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -fno-omit-frame-pointer \
    -Wall -Wextra -I"$root/src" -DPLUVEXA_KEY_DIR="\"$root/keys/demo\"" \
    "$root/fuzz/envelope_open_fuzz.cpp" \
    "$src/envelope.cpp" "$src/keyrecord.cpp" "$src/rsablock.cpp" \
    "$src/contentcipher.cpp" "$src/randomsource.cpp" "$src/contenthasher.cpp" \
    -pthread -lcrypto++ -o "$out"
echo "built $out"
