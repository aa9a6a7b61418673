// export: the holders of a file as a spreadsheet, the template the payroll
// department fills in and "import" reads back.

#include "ambiente.h"
#include "arquivoentrada.h"
#include "cli.h"
#include "exchange/escrita/csvsaida.h"
#include "exchange/exportacsv.h"
#include "saidaplanilha.h"

#include <QFileInfo>
#include <cstdio>

namespace pluvexa::cli {

int exporta(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Processes FILE as check does (its log on standard error) and writes its\n"
                            "holders to OUT as \"Exportar Planilha\" does, in the format of OUT's\n"
                            "extension: .xlsx (Excel), .ods (Calc) or .csv (';' between fields, UTF-8\n"
                            "with a byte-order mark, CR LF, decimal comma). The columns: Usuário, Cartão,\n"
                            "Matrícula (text, zeros kept), Nome, Tipo, Tarifa, Valor and Vlr.Última Rec of\n"
                            "group 1. \"import\" reads the file back. OUT - writes the CSV rows to standard\n"
                            "output instead, as every --csv does: UTF-8 without the byte-order mark, one LF\n"
                            "per line."),
             QStringLiteral("0 written, 1 FILE cannot be loaded, has inconsistent records or OUT "
                            "cannot be written"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("received file, draft or plain text"));
    parser.addPositionalArgument(QStringLiteral("OUT"),
                                 QStringLiteral("the spreadsheet to write: .xlsx, .ods or .csv; - for standard output"));
    const ArquivoEntrada arquivo(parser);
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    if (const std::optional<int> r = arquivo.confereOpcoes("export"))
        return *r;
    const QString path = parser.positionalArguments()[0];
    const QString saida = parser.positionalArguments()[1];
    // The format is the name's: spreadsheet programs and the import take
    // a file by its extension.
    FormatoPlanilha formato = FormatoPlanilha::Csv;
    if (!ehSaidaPadrao(saida))
        if (const std::optional<int> r = confereSaidaPlanilha("export", "OUT", saida, formato))
            return *r;
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(path))
        return *r;

    ModeloRecarga modelo;
    ResultadoProcessamento processado;
    if (const std::optional<int> r = arquivo.processa(path, modelo, processado, QStringLiteral("nothing exported")))
        return *r;
    if (ehSaidaPadrao(saida)) {
        // The file's rows as a pipe reads them: no mark, LF line ends.
        const std::string linhas = csvDaTabela(tabelaTitulares(modelo), ConvencaoCsv::Fluxo);
        std::fwrite(linhas.data(), 1, linhas.size(), stdout);
        return Sucesso;
    }
    return gravaSaidaPlanilha(tabelaTitulares(modelo), formato, saida);
}

}  // namespace pluvexa::cli
