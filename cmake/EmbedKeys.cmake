# Writes a header holding the bytes of the two built-in key records.
function(bytes_of file var)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," out "${hex}")
  set(${var} "${out}" PARENT_SCOPE)
endfunction()
bytes_of("${KEY_DIR}/own.private" own)
bytes_of("${KEY_DIR}/central.public" central)
file(WRITE "${OUT}.tmp"
"// Generated from ${KEY_DIR}; do not edit.\n#pragma once\n"
"static const unsigned char kOwnPrivateKey[] = {${own}};\n"
"static const unsigned char kCentralPublicKey[] = {${central}};\n")
file(RENAME "${OUT}.tmp" "${OUT}")
