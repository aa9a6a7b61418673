#include "recharge/centralside.h"

#include "recharge/envelope.h"
#include "recharge/lzw.h"

#include <QFile>
#include <QTemporaryDir>

namespace pluvexa {

namespace {

std::string local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Finished files appear under their names only once complete (the
// received folder is watched by the program's file list).
bool publica(const QString& parcial, const QString& final)
{
    QFile::remove(final);
    return QFile::rename(parcial, final);
}

}  // namespace

RespostaCentral preparaArquivoRecebido(const QString& texto, const QString& saida,
                                       const PrivateKeyRecord& centralPrivada,
                                       const PublicKeyRecord& programaPublica)
{
    QTemporaryDir tmp;
    const QString comprimido = tmp.filePath(QStringLiteral("central.lzw"));
    if (!tmp.isValid() || compress_file(local(texto), local(comprimido)) != 1)
        return {CentralFalhaCompressao, 0};
    const PublicKeyRecord destinatarios[] = {programaPublica};
    const QString parcial = saida + QStringLiteral(".part");
    const int code = seal_file(local(comprimido), local(parcial), centralPrivada, destinatarios, {},
                               kCipherDesCbc, kDigestMd5);
    if (code != 0) {
        QFile::remove(parcial);
        return {CentralFalhaEnvelope, code};
    }
    return publica(parcial, saida) ? RespostaCentral{} : RespostaCentral{CentralFalhaEnvelope, kEnvelopeWriteFailed};
}

RespostaCentral leArquivoResposta(const QString& resposta, const QString& texto,
                                  const PrivateKeyRecord& centralPrivada,
                                  const PublicKeyRecord& programaPublica)
{
    QTemporaryDir tmp;
    const QString comprimido = tmp.filePath(QStringLiteral("answer.lzw"));
    if (!tmp.isValid())
        return {CentralFalhaEnvelope, 0};
    const int code = open_sealed_file(local(resposta), local(comprimido), centralPrivada, programaPublica, 0);
    if (code != 0)
        return {CentralFalhaEnvelope, code};
    const QString parcial = texto + QStringLiteral(".part");
    if (expand_file(local(comprimido), local(parcial)) != 1) {
        QFile::remove(parcial);
        return {CentralFalhaCompressao, 0};
    }
    return publica(parcial, texto) ? RespostaCentral{} : RespostaCentral{CentralFalhaCompressao, 0};
}

}  // namespace pluvexa
