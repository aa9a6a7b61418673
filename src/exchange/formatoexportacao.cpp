#include "exchange/formatoexportacao.h"

#include "files/arquivoseguro.h"

namespace pluvexa {

namespace {

template <typename Falha>
bool gravaFormato(const FormatoExportacao& formato, const ModeloRecarga& modelo, const QString& destino, Falha* falha)
{
    const std::string bytes = formato.gera(modelo);
    // The model stays in memory: a lost export is made again, no flush.
    return gravaArquivo(destino, QByteArrayView(bytes.data(), qsizetype(bytes.size())), Durabilidade::Comum, falha);
}

}  // namespace

bool exporta(const FormatoExportacao& formato, const ModeloRecarga& modelo, const QString& destino, QString* erro)
{
    return gravaFormato(formato, modelo, destino, erro);
}

bool exporta(const FormatoExportacao& formato, const ModeloRecarga& modelo, const QString& destino,
             FalhaArquivo* falha)
{
    return gravaFormato(formato, modelo, destino, falha);
}

}  // namespace pluvexa
