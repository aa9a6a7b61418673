#include "recharge/empacotamento.h"

#include "codec/builtinkeys.h"
#include "codec/envelope.h"
#include "codec/lzw.h"
#include "files/conferencia.h"
#include "recharge/escritorrecarga.h"
#include "recharge/linhastexto.h"

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

// A scratch temporary beside `vizinho`; throws when it cannot be made.
void exige(const ArquivoTemporario& temporario)
{
    if (!temporario.criado())
        throw ErroArquivo(temporario.erro().toStdString());
}

// Writes the lines into the scratch temporary, each followed by CR LF.
void salvaTexto(const std::vector<Texto>& linhas, const QString& caminho)
{
    const std::string texto = juntaLinhas(linhas);
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::ExistingOnly)
        || f.write(texto.data(), qint64(texto.size())) != qint64(texto.size()) || !f.flush())
        throw ErroArquivo(QStringLiteral("Cannot write file \"%1\". %2")
                              .arg(QDir::toNativeSeparators(caminho), f.errorString())
                              .toStdString());
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

bool leLinhas(const QString& caminho, std::vector<Texto>& linhas, QString* erro)
{
    linhas.clear();
    QByteArray data;
    if (!leArquivo(caminho, data, erro))
        return false;
    linhas = divideLinhas(std::string_view(data.constData(), size_t(data.size())));
    return true;
}

bool leTextoRecarga(const QString& caminho, std::vector<Texto>& linhas, QString* erro)
{
    linhas.clear();
    QByteArray data;
    if (!leArquivo(caminho, data, erro))
        return false;
    if (divideTexto(std::string_view(data.constData(), size_t(data.size())), linhas))
        return true;
    if (erro)
        *erro = QStringLiteral("\"%1\" is out of the recharge text's pattern: more than %2 non-blank lines")
                    .arg(QDir::toNativeSeparators(caminho))
                    .arg(kMaisLinhasTexto);
    return false;
}

std::vector<Texto> carregaLinhas(const QString& caminho)
{
    std::vector<Texto> linhas;
    leLinhas(caminho, linhas);
    return linhas;
}

int CompactaArquivo(std::vector<Texto>& linhas, const QString& pasta, const QString& nome,
                    bool rascunho, Gravacao& saida, const ChavesEnvelope& chaves)
{
    const QString final = pasta + QLatin1Char('/') + nome;
    removeLinhasEmBrancoFinais(linhas);
    const ArquivoTemporario texto(final);
    exige(texto);
    salvaTexto(linhas, texto.caminho());

    // A final name the layer refuses (no regular file there) or whose
    // temporary cannot be made is a file that cannot be created, not a
    // failure of the coder or the envelope.
    bool escreveu = false;
    auto conclui = [&](bool ok, int falha) {
        if (!ok && !escreveu)
            throw ErroArquivo(saida.erro().toStdString());
        return ok ? int(EmpacotamentoOk) : falha;
    };
    if (rascunho)
        return conclui(saida.produz(final, [&](const QString& parte) {
                           escreveu = true;
                           return compress_file(local(texto.caminho()), local(parte)) == 1;
                       }),
                       FalhaCompressao);
    const ArquivoTemporario comprimido(final);
    exige(comprimido);
    if (compress_file(local(texto.caminho()), local(comprimido.caminho())) != 1)
        return FalhaCompressao;
    const PublicKeyRecord destinatarios[] = {chaves.centralPublica};
    return conclui(saida.produz(final, [&](const QString& parte) {
                       escreveu = true;
                       return seal_file(local(comprimido.caminho()), local(parte), chaves.propriaPrivada,
                                        destinatarios, {}, kCipherDesCbc, kDigestMd5) == 0;
                   }),
                   FalhaEnvelope);
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

int DescompactaArquivo(const QString& caminho, bool rascunho, std::vector<Texto>& linhas,
                       const ChavesEnvelope& chaves)
{
    linhas.clear();
    QString erro;
    if (confereEntrada(caminho, &erro) != especie::Estado::Aceito)
        throw ErroArquivo(erro.toStdString());
    const ArquivoTemporario texto(caminho);
    exige(texto);
    if (rascunho) {
        if (expand_file(local(caminho), local(texto.caminho())) != 1)
            return FalhaCompressao;
    } else {
        const ArquivoTemporario comprimido(caminho);
        exige(comprimido);
        if (open_sealed_file(local(caminho), local(comprimido.caminho()), chaves.propriaPrivada,
                             chaves.centralPublica, 0)
            != 0)
            return FalhaEnvelope;
        if (expand_file(local(comprimido.caminho()), local(texto.caminho())) != 1)
            return FalhaCompressao;
    }
    QByteArray plano;
    if (!leArquivo(texto.caminho(), plano, &erro))
        throw ErroArquivo(erro.toStdString());
    return divideTexto(std::string_view(plano.constData(), std::size_t(plano.size())), linhas) ? EmpacotamentoOk
                                                                                               : ForaDoPadrao;
}

}  // namespace pluvexa
