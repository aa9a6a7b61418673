#include "central/ladocentral.h"

#include "codec/envelope.h"
#include "codec/lzw.h"
#include "files/arquivoseguro.h"

#include <QTemporaryDir>

namespace pluvexa {

RespostaCentral preparaArquivoRecebido(const QString& texto, const QString& saida,
                                       const PrivateKeyRecord& centralPrivada,
                                       const PublicKeyRecord& programaPublica)
{
    QTemporaryDir tmp;
    const QString comprimido = tmp.filePath(QStringLiteral("central.lzw"));
    lzw::CompressStatus cadeias = lzw::CompressStatus::Ok;
    if (!tmp.isValid() || compress_file(caminhoSistema(texto), caminhoSistema(comprimido), &cadeias) != 1)
        return {cadeias == lzw::CompressStatus::StringTooLong ? CentralCadeiaLonga : CentralFalhaCompressao, 0};
    const PublicKeyRecord destinatarios[] = {programaPublica};
    // Finished files appear under their names only once complete (the
    // received folder is watched by the program's file list).
    Gravacao g(Durabilidade::Comum);
    int code = 0;
    g.produz(saida, [&](const QString& parte) {
        code = seal_file(caminhoSistema(comprimido), caminhoSistema(parte), centralPrivada, destinatarios, {}, kCipherDesCbc,
                         kDigestMd5);
        return code == 0;
    });
    if (!g.confirma())
        return {CentralFalhaEnvelope, code != 0 ? code : kEnvelopeWriteFailed};
    return {};
}

RespostaCentral leArquivoResposta(const QString& resposta, const QString& texto,
                                  const PrivateKeyRecord& centralPrivada,
                                  const PublicKeyRecord& programaPublica)
{
    QTemporaryDir tmp;
    const QString comprimido = tmp.filePath(QStringLiteral("answer.lzw"));
    if (!tmp.isValid())
        return {CentralFalhaEnvelope, 0};
    const int code = open_sealed_file(caminhoSistema(resposta), caminhoSistema(comprimido), centralPrivada, programaPublica, 0);
    if (code != 0)
        return {CentralFalhaEnvelope, code};
    Gravacao g(Durabilidade::Comum);
    g.produz(texto, [&](const QString& parte) { return expand_file(caminhoSistema(comprimido), caminhoSistema(parte)) == 1; });
    return g.confirma() ? RespostaCentral{} : RespostaCentral{CentralFalhaCompressao, 0};
}

}  // namespace pluvexa
