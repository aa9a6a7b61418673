#include "recharge/empacotamento.h"

#include "codec/builtinkeys.h"
#include "codec/envelope.h"
#include "codec/lzw.h"
#include "files/entrada.h"
#include "recharge/escritorrecarga.h"
#include "recharge/linhastexto.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

namespace pluvexa {

namespace {

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
        throw ErroArquivo(temporario.falha());
}

// Writes the lines into the scratch temporary, each followed by CR LF.
void salvaTexto(const std::vector<Texto>& linhas, ArquivoTemporario& temporario)
{
    const std::string texto = juntaLinhas(linhas);
    if (!temporario.grava(QByteArrayView(texto.data(), qsizetype(texto.size()))))
        throw ErroArquivo(temporario.falha());
}

// Runs the coder or the envelope into a scratch temporary: a full disk it
// met is a file that cannot be written (thrown), any other failure the
// step's own.
bool preenche(ArquivoTemporario& temporario,
              const std::function<bool(const std::filesystem::path& caminho)>& escritor)
{
    if (temporario.produz([&](const QString& caminho) { return escritor(caminhoSistema(caminho)); }))
        return true;
    if (temporario.falha().motivo.codigo != 0)
        throw ErroArquivo(temporario.falha());
    return false;
}

}  // namespace

QString ErroArquivo::textoJanela() const
{
    return m_falha.houve() ? pluvexa::textoJanela(m_falha) : QString::fromUtf8(what());
}

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
    FalhaArquivo falha;
    const bool ok = leLinhas(caminho, linhas, &falha);
    if (!ok && erro)
        *erro = textoIngles(falha);
    return ok;
}

bool leLinhas(const QString& caminho, std::vector<Texto>& linhas, FalhaArquivo* falha)
{
    linhas.clear();
    QByteArray data;
    if (!leArquivo(caminho, data, falha))
        return false;
    linhas = divideLinhas(std::string_view(data.constData(), size_t(data.size())));
    return true;
}

bool leTextoRecarga(const QString& caminho, std::vector<Texto>& linhas, QString* erro)
{
    linhas.clear();
    // Far more than any recharge text: not read at all.
    if (QFileInfo(caminho).size() > kMaiorTextoPlano) {
        if (erro)
            *erro = QStringLiteral("\"%1\" is larger than 16 MiB").arg(QDir::toNativeSeparators(caminho));
        return false;
    }
    QByteArray data;
    if (!leArquivo(caminho, data, erro))
        return false;
    if (!divideTexto(std::string_view(data.constData(), size_t(data.size())), linhas)) {
        if (erro)
            *erro = QStringLiteral("\"%1\" is out of the recharge text's pattern: more than %2 non-blank lines")
                        .arg(QDir::toNativeSeparators(caminho))
                        .arg(kMaisLinhasTexto);
        return false;
    }
    if (const Completude c = confereCompleto(linhas); !c.completa()) {
        linhas.clear();
        if (erro)
            *erro = c.textoIngles(caminho);
        return false;
    }
    return true;
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
    ArquivoTemporario texto(final);
    exige(texto);
    salvaTexto(linhas, texto);

    // A final name the layer refuses (no regular file there), whose
    // temporary cannot be made, or which the coder or the envelope could
    // not write for want of room, is a file that cannot be created or
    // written, not a failure of the coder or the envelope.
    bool escreveu = false;
    auto conclui = [&](bool ok, int falha) {
        if (!ok && (!escreveu || saida.falha().motivo.codigo != 0))
            throw ErroArquivo(saida.falha());
        return ok ? int(EmpacotamentoOk) : falha;
    };
    if (rascunho)
        return conclui(saida.produz(final, [&](const QString& parte) {
                           escreveu = true;
                           return compress_file(caminhoSistema(texto.caminho()), caminhoSistema(parte)) == 1;
                       }),
                       FalhaCompressao);
    ArquivoTemporario comprimido(final);
    exige(comprimido);
    if (!preenche(comprimido, [&](const std::filesystem::path& c) {
            return compress_file(caminhoSistema(texto.caminho()), c) == 1;
        }))
        return FalhaCompressao;
    const PublicKeyRecord destinatarios[] = {chaves.centralPublica};
    return conclui(saida.produz(final, [&](const QString& parte) {
                       escreveu = true;
                       return seal_file(caminhoSistema(comprimido.caminho()), caminhoSistema(parte), chaves.propriaPrivada,
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
    Completude completude;
    return DescompactaArquivo(caminho, rascunho, linhas, completude, chaves);
}

int DescompactaArquivo(const QString& caminho, bool rascunho, std::vector<Texto>& linhas,
                       Completude& completude, const ChavesEnvelope& chaves)
{
    linhas.clear();
    completude = {};
    FalhaArquivo falha;
    // A draft is read once, as the program's own file, and expanded from
    // a scratch copy of what was read.
    QByteArray compactado;
    if (rascunho ? !leArquivo(caminho, Leitura::propria(kMaiorTextoCompactado), compactado, &falha)
                 : confereEntrada(caminho, nullptr, &falha) != natureza::Estado::Aceito)
        throw ErroArquivo(falha);
    ArquivoTemporario texto(caminho);
    exige(texto);
    if (rascunho) {
        ArquivoTemporario lido(caminho);
        exige(lido);
        if (!lido.grava(compactado))
            throw ErroArquivo(lido.falha());
        if (!preenche(texto, [&](const std::filesystem::path& t) {
                return expand_file(caminhoSistema(lido.caminho()), t, nullptr, kMaiorTextoRecarga) == 1;
            }))
            return FalhaCompressao;
    } else {
        ArquivoTemporario comprimido(caminho);
        exige(comprimido);
        if (!preenche(comprimido, [&](const std::filesystem::path& c) {
                return open_sealed_file(caminhoSistema(caminho), c, chaves.propriaPrivada, chaves.centralPublica, 0)
                       == 0;
            }))
            return FalhaEnvelope;
        if (!preenche(texto, [&](const std::filesystem::path& t) {
                return expand_file(caminhoSistema(comprimido.caminho()), t) == 1;
            }))
            return FalhaCompressao;
    }
    QByteArray plano;
    if (!leArquivo(texto.caminho(), plano, &falha))
        throw ErroArquivo(falha);
    if (!divideTexto(std::string_view(plano.constData(), std::size_t(plano.size())), linhas))
        return ForaDoPadrao;
    completude = confereCompleto(linhas);
    if (rascunho && !completude.completa()) {
        linhas.clear();
        return Incompleto;
    }
    return EmpacotamentoOk;
}

}  // namespace pluvexa
