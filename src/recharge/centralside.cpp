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
    const int code = seal_file(local(comprimido), local(saida), centralPrivada, destinatarios, {},
                               kCipherDesCbc, kDigestMd5);
    if (code != 0)
        return {CentralFalhaEnvelope, code};
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
    const int code = open_sealed_file(local(resposta), local(comprimido), centralPrivada, programaPublica, 0);
    if (code != 0)
        return {CentralFalhaEnvelope, code};
    if (expand_file(local(comprimido), local(texto)) != 1)
        return {CentralFalhaCompressao, 0};
    return {};
}

}  // namespace pluvexa
