// history: the kept batches of what was sent, and two of them compared.

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
#include <cstdio>

namespace pluvexa::cli {

namespace {

QString dinheiro(double v)
{
    return formata(u"##0.00", Moeda::deDouble(v));
}

// Where the listing or the comparison goes instead of standard output.
struct Arquivo {
    QString nome;  // empty: standard output
    FormatoPlanilha formato = FormatoPlanilha::Csv;
};

int lista(const QString& raiz, bool csv, const Arquivo& arquivo)
{
    const std::vector<LoteHistorico> lotes =
        listaHistorico(QDir(raiz).filePath(QStringLiteral("Historico")), QDir(raiz).filePath(QStringLiteral("Gerados")));
    if (!arquivo.nome.isEmpty()) {
        // The damaged batches are named as ever; the others go to the file.
        int r = Sucesso;
        for (const LoteHistorico& l : lotes)
            if (!l.erro.isEmpty())
                r = falha(l.erro);
        const int gravado = gravaSaidaPlanilha(tabelaLotes(lotes), arquivo.formato, arquivo.nome);
        return gravado != Sucesso ? gravado : r;
    }
    if (csv)
        escreve(QStringLiteral("Empresa;Remessa;Gerado em;Arquivo;Titulares com valor;Total em Valor;Total em Créditos;"
                               "Enviado"));
    int r = Sucesso;
    for (const LoteHistorico& l : lotes) {
        if (!l.erro.isEmpty()) {
            falha(l.erro);
            continue;
        }
        const QStringList campos{QStringLiteral("%1").arg(l.nome.empresa, 5, 10, QLatin1Char('0')),
                                 QStringLiteral("%1").arg(l.nome.remessa, 4, 10, QLatin1Char('0')),
                                 l.nome.geradoEm.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                                 l.resposta,
                                 QString::number(l.titularesComValor),
                                 dinheiro(l.totalValor),
                                 QString::number(l.totalCreditos),
                                 l.enviado ? QStringLiteral("Sim") : QStringLiteral("Não")};
        escreve(campos.join(csv ? QStringLiteral(";") : QStringLiteral("  ")));
    }
    for (const LoteHistorico& l : lotes)
        if (!l.erro.isEmpty())
            r = Falha;
    return r;
}

int compara(const QString& a, const QString& b, bool csv, const Arquivo& arquivo)
{
    ModeloRecarga ma;
    ModeloRecarga mb;
    QString erro;
    // Named by the user: a link to a kept batch is that batch.
    if (!carregaHistorico(a, ma, erro, nullptr, Ligacao::Segue) || !carregaHistorico(b, mb, erro, nullptr, Ligacao::Segue))
        return falha(erro);
    if (!arquivo.nome.isEmpty())
        return gravaSaidaPlanilha(tabelaComparacao(comparaLotes(ma, mb)), arquivo.formato, arquivo.nome);
    if (csv)
        escreve(cabecalhoComparacaoCsv());
    for (const LinhaComparacao& l : comparaLotes(ma, mb))
        escreve(camposComparacao(l).join(csv ? QStringLiteral(";") : QStringLiteral("  ")));
    return Sucesso;
}

}  // namespace

int history(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Lists the batches kept by \"Gerar Arquivo\" in the working root's Historico\n"
                            "folder, newest first: company, batch, when generated, the answer's name,\n"
                            "holders with a value, totals as the generation log computes them, and\n"
                            "whether the answer was sent (renamed _4.REC by the disk transfer). With\n"
                            "--compare A.HIS B.HIS, one line per holder of either batch instead. --out\n"
                            "FILE writes the list or the comparison to FILE instead (.xlsx, .ods or .csv\n"
                            "by its extension). A kept batch is read by check, listing and export with\n"
                            "--draft."),
             QStringLiteral("0 every batch listed or compared, 1 a kept batch cannot be read (named "
                            "on standard error; the others are listed)"));
    parser.addPositionalArgument(QStringLiteral("[A.HIS B.HIS]"), QStringLiteral("with --compare: the two batches"));
    const QCommandLineOption raiz(QStringLiteral("root"),
                                  QStringLiteral("working root (default %1)").arg(QDir::toNativeSeparators(raizTrabalho())),
                                  QStringLiteral("DIR"), raizTrabalho());
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("print CSV: ';' between fields, UTF-8"));
    const QCommandLineOption comparar(QStringLiteral("compare"), QStringLiteral("compare batch A with batch B"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("write the list or the comparison to FILE: .xlsx, .ods or .csv"),
                                 QStringLiteral("FILE"));
    parser.addOptions({raiz, csv, comparar, out});
    if (int r = analisa(parser, args, -1); r >= 0)
        return r;
    const QStringList p = parser.positionalArguments();
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
        if (parser.isSet(raiz))
            return exclusaoMutua("history", "--compare and --root");
        return compara(p[0], p[1], parser.isSet(csv), arquivo);
    }
    if (!parser.isSet(raiz)) {
        if (const std::optional<int> r = confereRaizPadrao())
            return *r;
    } else if (const QFileInfo pasta(parser.value(raiz)); !pasta.isDir()) {
        // A mistyped root would otherwise list nothing and succeed.
        return falha(QStringLiteral("the working root \"%1\" %2")
                         .arg(QDir::toNativeSeparators(parser.value(raiz)),
                              pasta.exists() ? QStringLiteral("is not a folder") : QStringLiteral("does not exist")));
    }
    return lista(parser.value(raiz), parser.isSet(csv), arquivo);
}

}  // namespace pluvexa::cli
