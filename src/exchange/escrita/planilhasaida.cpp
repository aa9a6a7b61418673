#include "exchange/escrita/planilhasaida.h"

#include "exchange/escrita/csvsaida.h"
#include "exchange/escrita/odssaida.h"
#include "exchange/escrita/xlsxsaida.h"
#include "files/arquivoseguro.h"

#include <array>

namespace pluvexa {

namespace {

struct Descricao {
    FormatoPlanilha formato;
    const char* extensao;
    const char* filtro;
};

// In the order the chooser offers them.
constexpr std::array<Descricao, 3> kFormatos{{
    {FormatoPlanilha::Xlsx, ".xlsx", "Planilha do Excel (*.xlsx)"},
    {FormatoPlanilha::Ods, ".ods", "Planilha do Calc (*.ods)"},
    {FormatoPlanilha::Csv, ".csv", "Planilha (*.csv)"},
}};

const Descricao& descricao(FormatoPlanilha f)
{
    for (const Descricao& d : kFormatos)
        if (d.formato == f)
            return d;
    return kFormatos.back();
}

}  // namespace

QString filtrosPlanilha()
{
    QStringList filtros;
    for (const Descricao& d : kFormatos)
        filtros << QString::fromUtf8(d.filtro);
    return filtros.join(QStringLiteral(";;"));
}

QString filtroDe(FormatoPlanilha formato)
{
    return QString::fromUtf8(descricao(formato).filtro);
}

QString extensaoDe(FormatoPlanilha formato)
{
    return QString::fromLatin1(descricao(formato).extensao);
}

std::optional<FormatoPlanilha> formatoDoNome(const QString& nome)
{
    for (const Descricao& d : kFormatos)
        if (nome.endsWith(QLatin1String(d.extensao), Qt::CaseInsensitive))
            return d.formato;
    return std::nullopt;
}

QString nomeEscolhido(const QString& resposta, const QString& filtro, FormatoPlanilha& formato)
{
    if (const std::optional<FormatoPlanilha> digitado = formatoDoNome(resposta)) {
        formato = *digitado;
        return resposta;
    }
    formato = FormatoPlanilha::Csv;
    for (const Descricao& d : kFormatos)
        if (filtro == QLatin1String(d.filtro))
            formato = d.formato;
    return resposta + extensaoDe(formato);
}

bool gravaTabela(const TabelaSaida& tabela, FormatoPlanilha formato, const QString& destino, FalhaArquivo* falha)
{
    FalhaArquivo propria;
    FalhaArquivo& f = falha ? *falha : propria;
    switch (formato) {
    case FormatoPlanilha::Xlsx:
        return gravaXlsx(tabela, destino, f);
    case FormatoPlanilha::Ods: {
        const QByteArray bytes = odsDaTabela(tabela);
        if (bytes.isEmpty()) {
            f = falhaDaPlanilha(destino, Motivo::proprio("Cannot build the spreadsheet's container.",
                                                         "não foi possível montar o pacote da planilha"));
            return false;
        }
        // The data stays where it came from: a lost export is made again, no flush.
        return gravaArquivo(destino, bytes, Durabilidade::Comum, &f);
    }
    case FormatoPlanilha::Csv:
        break;
    }
    const std::string bytes = csvDaTabela(tabela, ConvencaoCsv::Arquivo);
    return gravaArquivo(destino, QByteArrayView(bytes.data(), qsizetype(bytes.size())), Durabilidade::Comum, &f);
}

bool gravaTabela(const TabelaSaida& tabela, FormatoPlanilha formato, const QString& destino, QString* erro)
{
    FalhaArquivo falha;
    const bool ok = gravaTabela(tabela, formato, destino, &falha);
    if (!ok && erro)
        *erro = textoIngles(falha);
    return ok;
}

}  // namespace pluvexa
