#include "files/entrada.h"

#include "files/arquivoseguro.h"
#include "files/core/conteudo.h"
#include "files/pastastrabalho.h"
#include "files/sistema.h"

#include <algorithm>
#include <cstdint>

namespace pluvexa {

using namespace sistema;

namespace {

natureza::Estado responde(natureza::Estado estado, const QString& caminho, const Motivo& motivo, bool deSaida,
                         QString* erro, FalhaArquivo* falha)
{
    FalhaArquivo f = natureza::falha(estado, nativo(caminho), motivo, deSaida);
    f.arquivo = caminho.toStdString();
    if (erro)
        *erro = QString::fromStdString(f.mensagem);
    if (falha)
        *falha = f;
    return estado;
}

QString nasJanelas(natureza::Estado estado, const QString& caminho, const FalhaArquivo& falha)
{
    const QString nome = caminhoVisivel(caminho);
    switch (estado) {
    case natureza::Estado::Aceito:
        return {};
    case natureza::Estado::NaoComum:
        return QStringLiteral("%1 não é um arquivo comum").arg(nome);
    case natureza::Estado::Ausente:
        return QStringLiteral("O arquivo %1 não existe").arg(nome);
    case natureza::Estado::Inacessivel:
        return textoJanela(falha);
    }
    return {};
}

}  // namespace

natureza::Estado confereEntrada(const QString& caminho, QString* erro, FalhaArquivo* falha)
{
    Motivo motivo;
    return responde(natureza::entrada(nativo(caminho), motivo), caminho, motivo, false, erro, falha);
}

natureza::Estado confereSaida(const QString& caminho, QString* erro, FalhaArquivo* falha)
{
    Motivo motivo;
    return responde(natureza::saida(nativo(caminho), motivo), caminho, motivo, true, erro, falha);
}

QString recusaEntrada(const QString& caminho, AusenteAceito ausente)
{
    FalhaArquivo falha;
    const natureza::Estado estado = confereEntrada(caminho, nullptr, &falha);
    if (estado == natureza::Estado::Ausente && ausente == AusenteAceito::Sim)
        return {};
    return nasJanelas(estado, caminho, falha);
}

QString recusaSaida(const QString& caminho)
{
    FalhaArquivo falha;
    const natureza::Estado estado = confereSaida(caminho, nullptr, &falha);
    return nasJanelas(estado, caminho, falha);
}

namespace {

// "4 KiB", "4 MiB", or the bytes counted.
std::string tamanhoLegivel(std::int64_t bytes)
{
    constexpr std::int64_t kKiB = 1024;
    if (bytes > 0 && bytes % (kKiB * kKiB) == 0)
        return std::to_string(bytes / (kKiB * kKiB)) + " MiB";
    if (bytes > 0 && bytes % kKiB == 0)
        return std::to_string(bytes / kKiB) + " KiB";
    return std::to_string(bytes) + " bytes";
}

Motivo grandeDemais(std::int64_t limite)
{
    const std::string tamanho = tamanhoLegivel(limite);
    return Motivo::proprio("It is larger than " + tamanho + ".", "tem mais de " + tamanho);
}

FalhaArquivo recusa(natureza::Estado estado, const QString& caminho, const Motivo& motivo)
{
    FalhaArquivo f;
    responde(estado, caminho, motivo, false, nullptr, &f);
    return f;
}

bool limitado(const Leitura& leitura)
{
    return leitura.limite >= 0;
}

// Opened once and looked at through what was opened: what is read is what
// was checked.
FalhaArquivo le(const QString& caminho, const Leitura& leitura, QByteArray& dados)
{
    dados.clear();
    conteudo::Entrada entrada;
    Motivo motivo;
    if (const natureza::Estado estado = entrada.abre(nativo(caminho), motivo, leitura.segueLigacao);
        estado != natureza::Estado::Aceito)
        return recusa(estado, caminho, motivo);
    if (limitado(leitura) && entrada.tamanho() > leitura.limite)
        return recusa(natureza::Estado::Inacessivel, caminho, grandeDemais(leitura.limite));
    QByteArray lidos;
    lidos.reserve(qsizetype(std::max<std::int64_t>(0, entrada.tamanho())));
    char bloco[1 << 16];
    for (;;) {
        const std::int64_t n = entrada.le(bloco, sizeof bloco, motivo);
        if (n < 0) {
            const QString mensagem = QStringLiteral("Cannot read file %1.").arg(visivel(caminho));
            return falhaDe(Operacao::Ler, caminho, motivo, mensagem);
        }
        if (n == 0)
            break;
        // A file that grows while it is read (or whose size said nothing)
        // is refused as soon as it passes the limit, not held in memory.
        if (limitado(leitura) && lidos.size() + n > leitura.limite)
            return recusa(natureza::Estado::Inacessivel, caminho, grandeDemais(leitura.limite));
        lidos.append(bloco, qsizetype(n));
    }
    dados = std::move(lidos);
    return {};
}

}  // namespace

bool leArquivo(const QString& caminho, QByteArray& dados, QString* erro)
{
    const FalhaArquivo f = le(caminho, {}, dados);
    if (f.houve() && erro)
        *erro = textoIngles(f);
    return !f.houve();
}

bool leArquivo(const QString& caminho, QByteArray& dados, FalhaArquivo* falha)
{
    return leArquivo(caminho, {}, dados, falha);
}

bool leArquivo(const QString& caminho, const Leitura& leitura, QByteArray& dados, FalhaArquivo* falha)
{
    const FalhaArquivo f = le(caminho, leitura, dados);
    if (f.houve() && falha)
        *falha = f;
    return !f.houve();
}

natureza::Estado conferePropria(const QString& caminho, std::int64_t limite, FalhaArquivo* falha)
{
    conteudo::Entrada entrada;
    Motivo motivo;
    natureza::Estado estado = entrada.abre(nativo(caminho), motivo, false);
    if (estado == natureza::Estado::Aceito && limite >= 0 && entrada.tamanho() > limite) {
        estado = natureza::Estado::Inacessivel;
        motivo = grandeDemais(limite);
    }
    return responde(estado, caminho, motivo, false, nullptr, falha);
}

}  // namespace pluvexa
