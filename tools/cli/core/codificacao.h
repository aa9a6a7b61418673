#pragma once

// compress, expand, seal and open on files, once their arguments are known:
// shared by the full command line and by its Qt-free entry point, so that
// both give the same bytes, messages and exit status. Paths are UTF-8, as
// typed; each output is replaced only by a complete result (its input
// remains, so it is not flushed). Each answers the exit status.

#include <string>

namespace pluvexa::cli {

// Both commands that compress for the central (compress, central
// make-received) refuse, in these words, an input whose stream the
// central's expander could not rebuild:
// "\"<entrada>\" cannot be compressed for the central: a run of repeated
// bytes is too long".
std::string naoComprime(const std::string& entrada);

int comprime(const std::string& entrada, const std::string& saida);
int expande(const std::string& entrada, const std::string& saida);

struct Selagem {
    std::string assinante;     // signer's private key record
    std::string destinatario;  // recipient's public key record
    int cifra = 1;             // 0 none, 1 DES-CBC, 2 two-key 3DES, 3 three-key 3DES, 4 DESX
    int resumo = 5;            // 0 none, 3 MD2, 5 MD5
};
int sela(const std::string& entrada, const std::string& saida, const Selagem& s);

struct Abertura {
    std::string chave;      // recipient's private key record
    std::string remetente;  // sender's public key record
    unsigned indice = 0;    // recipient position
};
int abre(const std::string& entrada, const std::string& saida, const Abertura& a);

}  // namespace pluvexa::cli
