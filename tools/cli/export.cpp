// export: the holders of a file as a spreadsheet, the template the payroll
// department fills in and "import" reads back.

#include "ambiente.h"
#include "arquivoentrada.h"
#include "cli.h"
#include "exchange/exportacsv.h"
#include "exchange/fonteregistros.h"

#include <QFileInfo>
#include <cstdio>

namespace pluvexa::cli {

int exporta(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Processes FILE as check does (its log on standard error) and writes its\n"
                            "holders to OUT.csv as \"Exportar Planilha\" does: ';' between fields, UTF-8\n"
                            "with a byte-order mark, decimal comma; Usuário, Cartão, Matrícula, Nome,\n"
                            "Tipo, Tarifa, Valor and Vlr.Última Rec of group 1. \"import\" reads the file\n"
                            "back. OUT - writes the rows to standard output instead, as every --csv does:\n"
                            "UTF-8 without the byte-order mark, one LF per line."),
             QStringLiteral("0 written, 1 FILE cannot be loaded, has inconsistent records or OUT "
                            "cannot be written"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("received file, draft or plain text"));
    parser.addPositionalArgument(QStringLiteral("OUT.csv"), QStringLiteral("the spreadsheet to write; - for standard output"));
    const ArquivoEntrada arquivo(parser);
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    if (const std::optional<int> r = arquivo.confereOpcoes("export"))
        return *r;
    const QString path = parser.positionalArguments()[0];
    const QString saida = parser.positionalArguments()[1];
    // Only a ".csv" name is read back as a spreadsheet.
    if (!ehSaidaPadrao(saida) && formatoImportacao(saida) != FormatoImportacao::Planilha) {
        std::fputs("pluvexa-cli export: OUT must end in .csv, the name import reads as a spreadsheet, or be -\n",
                   stderr);
        return UsoErrado;
    }
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(path))
        return *r;

    ModeloRecarga modelo;
    ResultadoProcessamento processado;
    if (const std::optional<int> r = arquivo.processa(path, modelo, processado, QStringLiteral("nothing exported")))
        return *r;
    if (ehSaidaPadrao(saida)) {
        // The file's rows as a pipe reads them: no mark, LF line ends.
        QByteArray linhas = QByteArray::fromStdString(geraPlanilha(modelo));
        if (linhas.startsWith("\xEF\xBB\xBF"))
            linhas.remove(0, 3);
        linhas.replace("\r\n", "\n");
        std::fwrite(linhas.constData(), 1, std::size_t(linhas.size()), stdout);
        return Sucesso;
    }
    QString erro;
    if (!exportaPlanilha(modelo, saida, &erro))
        return falha(erro);
    return Sucesso;
}

}  // namespace pluvexa::cli
