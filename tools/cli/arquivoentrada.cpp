#include "arquivoentrada.h"

#include "ambiente.h"
#include "cli.h"
#include "files/entrada.h"

#include <QFileInfo>
#include <cstdio>

namespace pluvexa::cli {

ArquivoEntrada::ArquivoEntrada(QCommandLineParser& parser)
    : m_parser(parser),
      m_rascunho(QStringLiteral("draft"), QStringLiteral("FILE is a draft (compressed only)")),
      m_plano(QStringLiteral("plain"), QStringLiteral("FILE is plain recharge text"))
{
    parser.addOptions({m_rascunho, m_plano});
}

std::optional<int> ArquivoEntrada::confereOpcoes(const char* comando) const
{
    if (ambos())
        return exclusaoMutua(comando, "--draft and --plain");
    return std::nullopt;
}

std::optional<int> ArquivoEntrada::confereExiste(const QString& path)
{
    QString erro;
    switch (confereEntrada(path, &erro)) {
    case natureza::Estado::Aceito:
        return std::nullopt;
    case natureza::Estado::Ausente:
        return falha(citado(path) + QStringLiteral(" does not exist"));
    default:
        return falha(erro);  // not a regular file, or the system's reason it cannot be read
    }
}

std::optional<int> ArquivoEntrada::processa(const QString& path, ModeloRecarga& modelo,
                                            ResultadoProcessamento& resultado, const QString& nada) const
{
    return processaConsistente(path, rascunho(), plano(), modelo, resultado, nada);
}

int exclusaoMutua(const char* comando, const char* opcoes)
{
    std::fprintf(stderr, "pluvexa-cli %s: %s exclude each other\n", comando, opcoes);
    return UsoErrado;
}

}  // namespace pluvexa::cli
