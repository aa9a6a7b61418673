// import: the external import as the window runs it, for support staff
// checking a payroll file before the operator imports it.

#include "ambiente.h"
#include "arquivoentrada.h"
#include "cli.h"
#include "exchange/abasplanilha.h"
#include "exchange/livros/tipoarquivo.h"
#include "exchange/recargaexterna.h"
#include "files/entrada.h"
#include "recharge/camposregistro.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace pluvexa::cli {

namespace {

void erroPadrao(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

// The card type codes of the processed file, in the order the window lists
// them (its first is the one the grid shows first).
std::vector<int> tiposDoArquivo(const ResultadoProcessamento& r)
{
    std::vector<int> tipos;
    for (const Texto& entrada : r.listaTiposCartao)
        tipos.push_back(lerInteiro(campo(entrada, 1, 2)));
    return tipos;
}

int gravaModelo(const ModeloRecarga& modelo, const QString& saida)
{
    const ResultadoEscrita escrita = EscritorRecarga(modelo).gera(
        paraCp1252(QFileInfo(saida).fileName()), [] { return QDateTime::currentDateTime(); });
    if (!escrita.ok())
        return falha(QStringLiteral("the records cannot be written: ")
                     + escrita.textosRecusas().join(QStringLiteral("; ")));
    try {
        salvaLinhas(escrita.linhas, saida);
    } catch (const ErroArquivo& e) {
        return falha(QString::fromUtf8(e.what()));
    }
    return Sucesso;
}

// The sheet and columns of a spreadsheet, from --sheet and --columns;
// exits (1) when the columns cannot be told, naming those found.
std::optional<int> escolhasPlanilha(const QCommandLineParser& parser, const QCommandLineOption& colunas,
                                    const QCommandLineOption& aba, const QString& externo, EscolhasPlanilha& escolhas)
{
    const bool planilha = formatoImportacao(externo) == FormatoImportacao::Planilha;
    if (!planilha) {
        if (!parser.isSet(colunas) && !parser.isSet(aba))
            return std::nullopt;
        std::fputs("pluvexa-cli import: --columns and --sheet are for spreadsheets only\n", stderr);
        return UsoErrado;
    }
    if (parser.isSet(colunas)) {
        QString porque;
        const std::optional<MapaColunas> mapa = MapaColunas::doTexto(parser.value(colunas), &porque);
        if (!mapa) {
            erroPadrao(QStringLiteral("pluvexa-cli import: --columns: ") + porque);
            return UsoErrado;
        }
        escolhas.colunas = *mapa;
    }
    if (grandeDemais(externo))
        return std::nullopt;  // the run refuses it before anything is logged
    auto lido = std::make_shared<const ArquivoPlanilha>(leArquivoPlanilha(externo));
    if (!lido->erro.isEmpty()) {
        // A workbook past its bounds is refused before anything is logged,
        // as the window does; a CSV that cannot be read is the run's to log.
        if (tipoArquivo(externo) != TipoArquivo::Csv)
            return falha(lido->erro);
        return std::nullopt;
    }
    const int i = escolheAba(*lido, parser.value(aba), escolhas.colunas);
    if (i < 0) {
        QStringList nomes;
        for (const AbaArquivo& a : lido->abas)
            nomes << (a.nome.isEmpty() ? QStringLiteral("1") : a.nome);
        return falha(QStringLiteral("%1 has no sheet \"%2\" (sheets: %3)")
                         .arg(citado(externo), parser.value(aba), nomes.join(QStringLiteral(", "))));
    }
    const CabecalhoAba cab = cabecalhoDaAba(*lido, i, escolhas.colunas);
    if (!cab.reconhecido() && cab.indice >= 0 && cab.situacao != CabecalhoAba::Situacao::Larga) {
        QStringList nomes;
        for (const QString& n : cab.nomes)
            if (!n.isEmpty())
                nomes << n;
        const QString porque = cab.situacao == CabecalhoAba::Situacao::Ambiguo
                                   ? QStringLiteral("two columns fit one field")
                                   : QStringLiteral("no registration, user code or card column with a value column");
        return falha(QStringLiteral("the columns of %1 are not recognised (%2); columns found on row %3: %4. "
                                    "Name them with --columns matricula=<header>,valor=<header>"
                                    "[,usuario=...,cartao=...,tipo=...]")
                         .arg(citado(externo), porque)
                         .arg(cab.linha)
                         .arg(nomes.join(QStringLiteral(", "))));
    }
    escolhas.aba = lido->abas[std::size_t(i)].nome;
    escolhas.lido = lido;
    return std::nullopt;
}

}  // namespace

int importa(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Processes FILE as check does (its log on standard error), then imports the\n"
                            "external recharge file EXTERNAL as \"Importar Arquivo\" does with card type N\n"
                            "selected: a name ending in .csv is read as a spreadsheet (its header, among the\n"
                            "first 20 rows, names Matrícula, Usuário or Cartão, Valor and optionally Tipo, or\n"
                            "--columns names them; a row goes to the one holder all its keys name, across\n"
                            "every card type when it names none), any other as the .rrm layout. Prints the lines of\n"
                            "the import's result report, then \"Total de OK: N - Total de erros: M\". The\n"
                            "import log goes to the working root's Log folder (--out) or to DIR (--log),\n"
                            "named after EXTERNAL (folha.rrm: folha.log; folha.csv: folha.csv.log).\n"
                            "Without either, the run is a dry check that changes nothing of the\n"
                            "operator's: its log goes to a new temporary folder, named on standard error.\n"
                            "A file that is no spreadsheet nor payroll file (a PDF, an image, a workbook\n"
                            "saved with a password, a web page named .xls) is refused at once, in the\n"
                            "operator's words, and nothing is logged."),
             QStringLiteral("0 every record was stored, 1 any was not, the file held none (\"Nenhum "
                            "registro reconhecido no arquivo\"), the import could not start or FILE has "
                            "inconsistent records"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("received file, draft or plain text"));
    parser.addPositionalArgument(QStringLiteral("EXTERNAL"), QStringLiteral("external recharge file (.rrm or .csv)"));
    const ArquivoEntrada arquivo(parser);
    const QCommandLineOption tipo(QStringLiteral("type"),
                                  QStringLiteral("card type selected (default: the first of FILE)"),
                                  QStringLiteral("N"));
    const QCommandLineOption pastaLog(QStringLiteral("log"), QStringLiteral("folder of the import log"),
                                      QStringLiteral("DIR"));
    const QCommandLineOption saida(QStringLiteral("out"),
                                   QStringLiteral("write the model after the import as plain recharge text"),
                                   QStringLiteral("PLAIN"));
    const QCommandLineOption colunas(
        QStringLiteral("columns"),
        QStringLiteral("spreadsheet columns by their header, when the names are not recognised: "
                       "matricula=<header>,valor=<header>[,usuario=...,cartao=...,tipo=...]"),
        QStringLiteral("MAP"));
    const QCommandLineOption aba(QStringLiteral("sheet"),
                                 QStringLiteral("the workbook's sheet to read, by name or number from 1 (default: the "
                                                "first whose header is recognised)"),
                                 QStringLiteral("NAME"));
    parser.addOptions({tipo, pastaLog, saida, colunas, aba});
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    if (const std::optional<int> r = arquivo.confereOpcoes("import"))
        return *r;
    bool tipoValido = true;
    const int tipoPedido = parser.isSet(tipo) ? parser.value(tipo).toInt(&tipoValido) : 0;
    if (!tipoValido) {
        std::fputs("pluvexa-cli import: --type takes a card type code\n", stderr);
        return UsoErrado;
    }
    const QString path = parser.positionalArguments()[0];
    const QString externo = parser.positionalArguments()[1];
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(path))
        return *r;
    // A payroll file that is missing, is no regular file or cannot be read
    // is refused with its reason before any log is written: there is
    // nothing to import.
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(externo))
        return *r;
    // A file that is no spreadsheet nor payroll file is refused in the
    // operator's own words, which support staff pass on as they are.
    if (const std::optional<QString> r = recusaArquivo(externo))
        return falha(*r);

    EscolhasPlanilha escolhas;
    if (const std::optional<int> r = escolhasPlanilha(parser, colunas, aba, externo, escolhas))
        return *r;

    ModeloRecarga modelo;
    ResultadoProcessamento processado;
    if (const std::optional<int> r = arquivo.processa(path, modelo, processado, QStringLiteral("nothing imported")))
        return *r;

    const std::vector<int> tipos = tiposDoArquivo(processado);
    int selecionado = tipos.empty() ? 0 : tipos.front();
    if (parser.isSet(tipo)) {
        if (std::find(tipos.begin(), tipos.end(), tipoPedido) == tipos.end()) {
            std::fprintf(stderr, "pluvexa-cli import: %s has no card type %d\n", qPrintable(citado(path)), tipoPedido);
            return UsoErrado;
        }
        selecionado = tipoPedido;
    }

    // A dry check (neither --out nor --log) must not replace the log of
    // the operator's own import of the same file.
    const bool seco = !parser.isSet(pastaLog) && !parser.isSet(saida);
    std::optional<QTemporaryDir> temporaria;
    OpcoesImportacao opcoes;
    if (seco) {
        temporaria.emplace(QDir(QDir::tempPath()).filePath(QStringLiteral("pluvexa-import-XXXXXX")));
        if (!temporaria->isValid())
            return falha(QStringLiteral("cannot make a temporary folder for the import log: %1")
                             .arg(temporaria->errorString()));
        opcoes.pastaLog = temporaria->path();
    } else if (parser.isSet(pastaLog)) {
        opcoes.pastaLog = parser.value(pastaLog);
    } else {
        if (const std::optional<int> r = confereRaizPadrao())
            return *r;
        opcoes.pastaLog = logCli();
    }
    RecargaExterna run(modelo, opcoes);
    bool comLog = false;
    run.aoAvisar = [&comLog](const QString& aviso) {
        comLog = true;
        erroPadrao(aviso);
    };
    const bool ok = run.Importa(externo, selecionado, escolhas);
    if (run.recusa())
        return falha(QStringLiteral("%1: %2").arg(citado(externo), run.recusa()->textoIngles()));
    if (!comLog)
        return falha(QStringLiteral("the import log cannot be created: %1").arg(citado(run.caminhoLog(externo))));
    for (const QString& l : run.linhasResultado())
        escreve(l);
    escreve(QStringLiteral("Total de OK: %1 - Total de erros: %2").arg(run.TotalOk).arg(run.TotalErros));
    if (seco) {
        temporaria->setAutoRemove(false);
        std::fflush(stdout);
        std::fprintf(stderr, "pluvexa-cli import: a dry check (neither --out nor --log): the import log is %s\n",
                     qPrintable(citado(run.caminhoLog(externo))));
    }

    if (parser.isSet(saida) && gravaModelo(modelo, parser.value(saida)) != Sucesso)
        return Falha;
    return ok ? Sucesso : Falha;
}

}  // namespace pluvexa::cli
