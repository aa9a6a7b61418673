#!/usr/bin/env bash
# Builds the libFuzzer targets with clang++ straight from the sources they
# need, into fuzz/out/. Usage: fuzz/build.sh
# (envelope_open_fuzz has its own script, build_envelope.sh.)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
out="$here/out"
mkdir -p "$out"
flags=(-std=c++20 -O2 -g -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Wall -Wextra -I "$root/src" -I "$root/tests/recharge")
coder=("$root/src/recharge/lzw.cpp" "$root/src/recharge/lzw_expand.cpp" "$root/src/recharge/largebuffer.cpp")
for target in lzw_expand_fuzz lzw_roundtrip_fuzz; do
  clang++ "${flags[@]}" -pthread "$here/$target.cpp" "${coder[@]}" -o "$out/$target"
  echo "built $out/$target"
done

# The record reader, the model and the writer need Qt Core (texts, dates).
read -r -a qt <<< "$(pkg-config --cflags Qt6Core)"
read -r -a qtlibs <<< "$(pkg-config --libs Qt6Core)"
r="$root/src/recharge"
records=("$r/processing.cpp" "$r/leitorrecarga.cpp" "$r/escritorrecarga.cpp" "$r/recordfields.cpp"
         "$r/model.cpp" "$r/cp1252.cpp" "$r/numberformat.cpp" "$r/digitosdecimais.cpp" "$r/money.cpp")
for target in recharge_text_fuzz draft_open_fuzz; do
  clang++ "${flags[@]}" -pthread -fPIC "${qt[@]}" "$here/$target.cpp" "${records[@]}" "${coder[@]}" \
      "${qtlibs[@]}" -o "$out/$target"
  echo "built $out/$target"
done
