#pragma once

// The card central's side of the exchange, for demonstrations and tests:
// a plain recharge text becomes a received file (compressed, then sealed by
// the central for the program), and an answer file becomes plain text again
// (opened with the central's key, signature checked, expanded). The keys are
// always passed in: the program itself never holds the central's private key.

#include "codec/keyrecord.h"

#include <QString>

namespace pluvexa {

enum ResultadoCentral : int {
    CentralOk = 0,
    CentralFalhaCompressao = 1,   // compressing or expanding failed
    CentralFalhaEnvelope = 2,     // sealing or opening failed (see codigoEnvelope)
    CentralCadeiaLonga = 3,       // the text's stream holds a string no expander takes (lzw::longestString)
};

struct RespostaCentral {
    int resultado = CentralOk;
    int codigoEnvelope = 0;       // the envelope's own code when it failed
};

// Compresses `texto` and seals it into `saida`: signed with the central's
// private key, for the program's public key.
RespostaCentral preparaArquivoRecebido(const QString& texto, const QString& saida,
                                       const PrivateKeyRecord& centralPrivada,
                                       const PublicKeyRecord& programaPublica);

// Opens `resposta` with the central's private key, checks the program's
// signature and expands the content into `texto`.
RespostaCentral leArquivoResposta(const QString& resposta, const QString& texto,
                                  const PrivateKeyRecord& centralPrivada,
                                  const PublicKeyRecord& programaPublica);

}  // namespace pluvexa
