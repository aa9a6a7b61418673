#include "recharge/pipeline.h"

#include "recharge/builtinkeys.h"
#include "recharge/envelope.h"
#include "recharge/escritorrecarga.h"
#include "recharge/lzw.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pluvexa {

namespace {

std::string local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

bool emBranco(const Texto& linha)
{
    for (unsigned char c : linha)
        if (c > ' ')
            return false;
    return true;
}

void apaga(const QString& path)
{
    QFile::remove(path);
}

// Puts a finished file under its final name, replacing an older one.
bool publica(const QString& parcial, const QString& final)
{
    QFile::remove(final);
    return QFile::rename(parcial, final);
}

}  // namespace

ChavesEnvelope ChavesEnvelope::embutidas()
{
    return {own_private_key(), central_public_key()};
}

void removeLinhasEmBrancoFinais(std::vector<Texto>& linhas)
{
    while (!linhas.empty() && emBranco(linhas.back()))
        linhas.pop_back();
}

void salvaLinhas(const std::vector<Texto>& linhas, const QString& caminho)
{
    QSaveFile file(caminho);
    if (!file.open(QIODevice::WriteOnly))
        throw ErroArquivo("Cannot create file \"" + QDir::toNativeSeparators(caminho).toStdString()
                          + "\". " + file.errorString().toStdString());
    const std::string texto = juntaLinhas(linhas);
    const QByteArray data = QByteArray::fromRawData(texto.data(), qsizetype(texto.size()));
    if (file.write(data) != data.size() || !file.commit())
        throw ErroArquivo("Cannot write file \"" + QDir::toNativeSeparators(caminho).toStdString()
                          + "\". " + file.errorString().toStdString());
}

std::vector<Texto> carregaLinhas(const QString& caminho)
{
    QFile file(caminho);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return divideLinhas(std::string_view(data.constData(), size_t(data.size())));
}

int CompactaArquivo(std::vector<Texto>& linhas, const QString& pasta, const QString& nome,
                    bool rascunho, const ChavesEnvelope& chaves)
{
    const QString tmp1 = pasta + QLatin1Char('/') + kTmpTexto;
    const QString tmp2 = pasta + QLatin1Char('/') + kTmpComprimido;
    const QString final = pasta + QLatin1Char('/') + nome;
    const QString parcial = final + QStringLiteral(".part");
    apaga(tmp1);
    apaga(tmp2);

    removeLinhasEmBrancoFinais(linhas);
    salvaLinhas(linhas, tmp1);

    if (rascunho) {
        if (compress_file(local(tmp1), local(parcial)) != 1) {
            apaga(parcial);
            return FalhaCompressao;
        }
    } else {
        if (compress_file(local(tmp1), local(tmp2)) != 1)
            return FalhaCompressao;
        const PublicKeyRecord destinatarios[] = {chaves.centralPublica};
        const int code = seal_file(local(tmp2), local(parcial), chaves.propriaPrivada,
                                   destinatarios, {}, kCipherDesCbc, kDigestMd5);
        if (code != 0) {
            apaga(parcial);
            return FalhaEnvelope;
        }
    }
    if (!publica(parcial, final)) {
        apaga(parcial);
        return rascunho ? FalhaCompressao : FalhaEnvelope;
    }
    apaga(tmp1);
    apaga(tmp2);
    return EmpacotamentoOk;
}

int DescompactaArquivo(const QString& caminho, bool rascunho, const ChavesEnvelope& chaves)
{
    const QString pasta = QFileInfo(caminho).absolutePath();
    const QString tmp1 = pasta + QLatin1Char('/') + kTmpTexto;
    const QString tmp2 = pasta + QLatin1Char('/') + kTmpComprimido;
    apaga(tmp1);
    apaga(tmp2);

    if (rascunho)
        return expand_file(local(caminho), local(tmp1)) == 1 ? EmpacotamentoOk : FalhaCompressao;

    if (open_sealed_file(local(caminho), local(tmp2), chaves.propriaPrivada, chaves.centralPublica, 0) != 0)
        return FalhaEnvelope;
    return expand_file(local(tmp2), local(tmp1)) == 1 ? EmpacotamentoOk : FalhaCompressao;
}

}  // namespace pluvexa
