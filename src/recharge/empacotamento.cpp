#include "recharge/empacotamento.h"

#include "codec/builtinkeys.h"
#include "codec/envelope.h"
#include "codec/lzw.h"
#include "recharge/escritorrecarga.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    removeArquivo(path);  // a temporary that cannot be deleted is no error
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

bool salvaLinhas(const std::vector<Texto>& linhas, const QString& caminho, Gravacao& saida)
{
    const std::string texto = juntaLinhas(linhas);
    return saida.escreve(caminho, QByteArrayView(texto.data(), qsizetype(texto.size())));
}

void salvaLinhas(const std::vector<Texto>& linhas, const QString& caminho, Durabilidade durabilidade)
{
    Gravacao g(durabilidade);
    if (!salvaLinhas(linhas, caminho, g) || !g.confirma())
        throw ErroArquivo(g.erro().toStdString());
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
                    bool rascunho, Gravacao& saida, const ChavesEnvelope& chaves)
{
    const QString tmp1 = pasta + QLatin1Char('/') + kTmpTexto;
    const QString tmp2 = pasta + QLatin1Char('/') + kTmpComprimido;
    const QString final = pasta + QLatin1Char('/') + nome;
    apaga(tmp1);
    apaga(tmp2);

    removeLinhasEmBrancoFinais(linhas);
    salvaLinhas(linhas, tmp1);

    if (rascunho) {
        if (!saida.produz(final, [&](const QString& parte) { return compress_file(local(tmp1), local(parte)) == 1; }))
            return FalhaCompressao;
    } else {
        if (compress_file(local(tmp1), local(tmp2)) != 1)
            return FalhaCompressao;
        const PublicKeyRecord destinatarios[] = {chaves.centralPublica};
        if (!saida.produz(final, [&](const QString& parte) {
                return seal_file(local(tmp2), local(parte), chaves.propriaPrivada, destinatarios, {},
                                 kCipherDesCbc, kDigestMd5) == 0;
            }))
            return FalhaEnvelope;
    }
    apaga(tmp1);
    apaga(tmp2);
    return EmpacotamentoOk;
}

int CompactaArquivo(std::vector<Texto>& linhas, const QString& pasta, const QString& nome,
                    bool rascunho, const ChavesEnvelope& chaves)
{
    Gravacao saida(Durabilidade::Duravel);
    const int r = CompactaArquivo(linhas, pasta, nome, rascunho, saida, chaves);
    if (r != EmpacotamentoOk || saida.confirma())
        return r;
    return rascunho ? FalhaCompressao : FalhaEnvelope;
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
