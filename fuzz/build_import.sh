#!/bin/sh
# Builds the external import fuzzer (clang, libFuzzer, ASan, UBSan) as
# fuzz/out/import_run_fuzz. Usage: fuzz/build_import.sh [output]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/fuzz/out/import_run_fuzz"}
mkdir -p "$(dirname "$out")"
rec="$root/src/recharge"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -fno-omit-frame-pointer -fPIC \
    -Wall -Wextra -I"$root/src" $(pkg-config --cflags Qt6Core) \
    "$root/fuzz/import_run_fuzz.cpp" "$root"/src/import/*.cpp \
    "$rec/model.cpp" "$rec/cp1252.cpp" "$rec/money.cpp" "$rec/numberformat.cpp" "$rec/digitosdecimais.cpp" \
    "$rec/workingfolders.cpp" "$rec/recordfields.cpp" "$rec/escritorrecarga.cpp" "$rec/arquivoseguro.cpp" \
    "$rec/arquivoseguro_sistema.cpp" "$rec/arquivoseguro_portao.cpp" "$rec/arquivoseguro_parte.cpp" \
    $(pkg-config --libs Qt6Core) -o "$out"
echo "built $out"
