#pragma once

// Why a file did not open as a sealed file, in the support engineer's
// words. The envelope answers a number (1028, 1035...) that says where the
// opening stopped, not what the file is: an empty file, one cut short, a
// plain text or a draft given where a sealed file was expected, or one
// sealed for another key. Looked at only after the opening failed, from the
// file's bytes and the code; without Qt, so that both programs say the same.

#include "codec/keyrecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace pluvexa::cli {

enum class CasoEnvelope {
    Vazio,       // no byte at all
    Curto,       // an envelope whose end (the trailer holding its length) is missing
    TextoPlano,  // recharge text as it is
    Rascunho,    // an LZW stream: a draft, or a file compressed only
    OutraChave,  // no session key this private key opens (1033, 243)
    Alterado,    // any other failure of an envelope: altered content, or another sender's key
    NaoSelado,   // none of the above: random bytes, another kind of file
};

// The case of `bytes` (the whole file), whose opening answered `codigo`.
CasoEnvelope diagnosticaEnvelope(std::span<const std::uint8_t> bytes, int codigo);

// The sentence naming `caminho` (as typed), e.g. "\"x.rec\" is empty".
// `embutidas`: the file was opened with the program's built-in keys (check,
// listing...), whose --plain and --draft the sentence then suggests;
// otherwise with the keys given to `open`.
std::string textoCaso(CasoEnvelope caso, const std::string& caminho, bool embutidas);

// Whether the bytes begin as an envelope does: its opening text up to the
// first 00 byte ends in 0D 0A 1A. Enough of a file's beginning to tell a
// sealed file from plain text or a draft.
bool pareceSelado(std::span<const std::uint8_t> inicio);

// Opens `bytes` in memory with the keys, the plain bytes thrown away, and
// answers the envelope's code.
int codigoAbertura(std::span<const std::uint8_t> bytes, const PrivateKeyRecord& chave,
                   const PublicKeyRecord& remetente, std::size_t indice = 0);

// The case of the file `caminho` (UTF-8 path) whose opening answered
// `codigo`; nothing when it cannot be read again or is larger than any
// file worth looking at (256 MiB).
std::optional<CasoEnvelope> diagnosticaArquivo(const std::string& caminho, int codigo);

}  // namespace pluvexa::cli
