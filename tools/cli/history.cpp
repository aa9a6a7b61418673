// history: the kept batches of what was sent, and two of them compared.

#include "ambiente.h"
#include "arquivoentrada.h"
#include "cli.h"
#include "files/pastastrabalho.h"
#include "history/core/comparacaocsv.h"
#include "history/core/historico.h"
#include "history/core/tabelalotes.h"
#include "recharge/formatonumero.h"
#include "recharge/moeda.h"
#include "saidaplanilha.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace pluvexa::cli {

namespace {

// The batches a listing keeps: generated in `ano` (0: any) and on or after
// `desde` (null: any).
struct Filtro {
    int ano = 0;
    QDate desde;

    bool aceita(const LoteHistorico& l) const
    {
        const QDate dia = l.nome.geradoEm.date();
        // A file whose name gives no date is named whatever the filter.
        if (!dia.isValid())
            return true;
        return (ano == 0 || dia.year() == ano) && (desde.isNull() || dia >= desde);
    }
};

// For a person: a header over columns as wide as their widest cell,
// numbers to the right.
void imprimeTabela(const QStringList& cabecalho, const QList<QStringList>& linhas, const QList<bool>& aDireita)
{
    QList<qsizetype> larguras;
    for (const QString& c : cabecalho)
        larguras << c.size();
    for (const QStringList& l : linhas)
        for (qsizetype i = 0; i < l.size() && i < larguras.size(); ++i)
            larguras[i] = std::max(larguras[i], l[i].size());
    auto linha = [&](const QStringList& campos) {
        QStringList celulas;
        for (qsizetype i = 0; i < campos.size(); ++i) {
            const bool ultima = i + 1 == campos.size();
            celulas << (aDireita.value(i) ? campos[i].rightJustified(larguras[i])
                                          : ultima ? campos[i] : campos[i].leftJustified(larguras[i]));
        }
        escreve(celulas.join(QStringLiteral("  ")));
    };
    linha(cabecalho);
    for (const QStringList& l : linhas)
        linha(l);
}

// Where the listing or the comparison goes instead of standard output.
struct Arquivo {
    QString nome;  // empty: standard output
    FormatoPlanilha formato = FormatoPlanilha::Csv;
};

int lista(const QString& raiz, bool csv, const Filtro& filtro, const Arquivo& arquivo)
{
    std::vector<LoteHistorico> lotes =
        listaHistorico(QDir(raiz).filePath(QStringLiteral("Historico")), QDir(raiz).filePath(QStringLiteral("Gerados")));
    std::erase_if(lotes, [&filtro](const LoteHistorico& l) { return !filtro.aceita(l); });
    if (!arquivo.nome.isEmpty()) {
        // The damaged batches are named as ever; the others go to the file.
        int r = Sucesso;
        for (const LoteHistorico& l : lotes)
            if (!l.erro.isEmpty())
                r = falha(l.erro);
        const int gravado = gravaSaidaPlanilha(tabelaLotes(lotes), arquivo.formato, arquivo.nome);
        return gravado != Sucesso ? gravado : r;
    }
    const QStringList cabecalho{QStringLiteral("Empresa"),
                                QStringLiteral("Remessa"),
                                QStringLiteral("Gerado em"),
                                QStringLiteral("Arquivo"),
                                QStringLiteral("Titulares com valor"),
                                QStringLiteral("Total em Valor"),
                                QStringLiteral("Total em Créditos"),
                                QStringLiteral("Enviado")};
    if (csv)
        escreve(cabecalho.join(QLatin1Char(';')));
    QList<QStringList> linhas;
    int r = Sucesso;
    for (const LoteHistorico& l : lotes) {
        if (!filtro.aceita(l))
            continue;
        if (!l.erro.isEmpty()) {
            r = Falha;
            continue;
        }
        // For a script, plain numbers; for a person, money as check shows it.
        const Moeda valor = Moeda::deDouble(l.totalValor);
        const QStringList campos{QStringLiteral("%1").arg(l.nome.empresa, 5, 10, QLatin1Char('0')),
                                 QStringLiteral("%1").arg(l.nome.remessa, 4, 10, QLatin1Char('0')),
                                 l.nome.geradoEm.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                                 l.resposta,
                                 QString::number(l.titularesComValor),
                                 csv ? formata(u"##0.00", valor) : QStringLiteral("R$ ") + formata(u"###,##0.00", valor),
                                 csv ? QString::number(l.totalCreditos) : formata(u"###,##0", l.totalCreditos),
                                 l.enviado ? QStringLiteral("Sim") : QStringLiteral("Não")};
        if (csv)
            escreve(campos.join(QLatin1Char(';')));
        else
            linhas << campos;
    }
    if (!csv)
        imprimeTabela(cabecalho, linhas, {false, false, false, false, true, true, true, false});
    // The damaged are named after the listing (falha writes standard
    // output out first), so that a script reading both streams sees the
    // rows first.
    for (const LoteHistorico& l : lotes)
        if (filtro.aceita(l) && !l.erro.isEmpty())
            falha(l.erro);
    return r;
}

int compara(const QString& a, const QString& b, bool csv, const Arquivo& arquivo)
{
    for (const QString& lote : {a, b})
        if (const std::optional<int> r = ArquivoEntrada::confereExiste(lote))
            return *r;
    ModeloRecarga ma;
    ModeloRecarga mb;
    QString erro;
    // Named by the user: a link to a kept batch is that batch.
    if (!carregaHistorico(a, ma, erro, nullptr, Ligacao::Segue) || !carregaHistorico(b, mb, erro, nullptr, Ligacao::Segue))
        return falha(erro);
    if (!arquivo.nome.isEmpty())
        return gravaSaidaPlanilha(tabelaComparacao(comparaLotes(ma, mb)), arquivo.formato, arquivo.nome);
    const QStringList cabecalho = cabecalhoComparacaoCsv().split(QLatin1Char(';'));
    if (csv)
        escreve(cabecalho.join(QLatin1Char(';')));
    QList<QStringList> linhas;
    for (const LinhaComparacao& l : comparaLotes(ma, mb)) {
        if (csv)
            escreve(camposComparacao(l).join(QLatin1Char(';')));
        else
            linhas << camposComparacao(l);
    }
    if (!csv)
        imprimeTabela(cabecalho, linhas, {true, true, false, true, true, true, false});
    return Sucesso;
}

// --year and --since, or the usage error (UsoErrado, printed).
std::optional<int> leFiltro(const QCommandLineParser& parser, const QCommandLineOption& ano,
                            const QCommandLineOption& desde, Filtro& filtro)
{
    if (parser.isSet(ano)) {
        static const QRegularExpression quatroDigitos(QStringLiteral("^[0-9]{4}$"));
        if (!quatroDigitos.match(parser.value(ano)).hasMatch()) {
            std::fputs("pluvexa-cli history: --year takes a year of four digits (YYYY)\n", stderr);
            return UsoErrado;
        }
        filtro.ano = parser.value(ano).toInt();
    }
    if (parser.isSet(desde)) {
        filtro.desde = QDate::fromString(parser.value(desde), QStringLiteral("yyyy-MM-dd"));
        if (!filtro.desde.isValid()) {
            std::fputs("pluvexa-cli history: --since takes a date as YYYY-MM-DD\n", stderr);
            return UsoErrado;
        }
    }
    return std::nullopt;
}

}  // namespace

int history(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Lists the batches kept by \"Gerar Arquivo\" in the working root's Historico\n"
                            "folder, newest first, under a header: company, batch, when generated, the\n"
                            "answer's name, holders with a value, totals as the generation log computes\n"
                            "them (money as check shows it, R$ 30.498,97), and whether the answer was sent\n"
                            "(renamed _4.REC by the disk transfer). --year and --since keep the batches\n"
                            "generated in that year or from that day on. With --compare A.HIS B.HIS, one\n"
                            "line per holder of either batch instead. --out FILE writes the list or the\n"
                            "comparison to FILE instead (.xlsx, .ods or .csv by its extension). A kept\n"
                            "batch is read by check, listing and export with --draft."),
             QStringLiteral("0 every batch listed or compared, 1 a kept batch cannot be read (named "
                            "on standard error; the others are listed) or a batch to compare does not "
                            "exist"));
    parser.addPositionalArgument(QStringLiteral("[A.HIS B.HIS]"), QStringLiteral("with --compare: the two batches"));
    const QCommandLineOption raiz(QStringLiteral("root"),
                                  QStringLiteral("working root (default $%1, else %2)")
                                      .arg(QLatin1String(kVariavelRaiz), QDir::toNativeSeparators(raizTrabalho())),
                                  QStringLiteral("DIR"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("print CSV: ';' between fields, UTF-8"));
    const QCommandLineOption comparar(QStringLiteral("compare"), QStringLiteral("compare batch A with batch B"));
    const QCommandLineOption ano(QStringLiteral("year"), QStringLiteral("only the batches generated in YYYY"),
                                 QStringLiteral("YYYY"));
    const QCommandLineOption desde(QStringLiteral("since"),
                                   QStringLiteral("only the batches generated on YYYY-MM-DD or later"),
                                   QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("write the list or the comparison to FILE: .xlsx, .ods or .csv"),
                                 QStringLiteral("FILE"));
    parser.addOptions({raiz, csv, comparar, ano, desde, out});
    if (int r = analisa(parser, args, -1); r >= 0)
        return r;
    const QStringList p = parser.positionalArguments();
    if (!parser.isSet(comparar) && p.size() == 2) {
        std::fprintf(stderr, "pluvexa-cli history: two batches given; to compare them: pluvexa-cli history "
                             "--compare %s %s\n",
                     qPrintable(citado(p[0])), qPrintable(citado(p[1])));
        return UsoErrado;
    }
    const int esperados = parser.isSet(comparar) ? 2 : 0;
    if (p.size() != esperados) {
        std::fprintf(stderr, "pluvexa-cli history: expected %d argument(s), see --help\n", esperados);
        return UsoErrado;
    }
    Arquivo arquivo;
    if (parser.isSet(out)) {
        if (parser.isSet(csv))
            return exclusaoMutua("history", "--csv and --out");
        arquivo.nome = parser.value(out);
        if (const std::optional<int> r = confereSaidaPlanilha("history", "--out", arquivo.nome, arquivo.formato))
            return *r;
    }
    if (parser.isSet(comparar)) {
        if (parser.isSet(raiz) || parser.isSet(ano) || parser.isSet(desde))
            return exclusaoMutua("history", "--compare and --root, --year or --since");
        return compara(p[0], p[1], parser.isSet(csv), arquivo);
    }
    Filtro filtro;
    if (const std::optional<int> r = leFiltro(parser, ano, desde, filtro))
        return *r;
    if (!parser.isSet(raiz)) {
        if (const std::optional<int> r = confereRaizPadrao())
            return *r;
    } else if (const QFileInfo pasta(parser.value(raiz)); !pasta.isDir()) {
        // A mistyped root would otherwise list nothing and succeed.
        return falha(QStringLiteral("the working root %1 %2")
                         .arg(citado(parser.value(raiz)),
                              pasta.exists() ? QStringLiteral("is not a folder") : QStringLiteral("does not exist")));
    }
    return lista(parser.isSet(raiz) ? parser.value(raiz) : raizCli(), parser.isSet(csv), filtro, arquivo);
}

}  // namespace pluvexa::cli
