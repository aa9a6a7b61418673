// review: the review before sending on the command line, the same holders
// flagged as on the window's review page.

#include "arquivoentrada.h"
#include "cli.h"
#include "recharge/cp1252.h"
#include "saidaplanilha.h"
#include "review/conferencia.h"
#include "review/tabelaconferencia.h"
#include "review/textosconferencia.h"

#include <QFileInfo>
#include <cmath>
#include <cstdio>

namespace pluvexa::cli {

namespace {

// A model text (Windows-1252) as a CSV field in UTF-8, quoted when it holds
// the separator, a quote or a line break; the padding of names left out.
QString campoCsv(const Texto& bytes)
{
    const std::size_t inicio = bytes.find_first_not_of(' ');
    QString texto = inicio == Texto::npos
                        ? QString()
                        : deCp1252(bytes.substr(inicio, bytes.find_last_not_of(' ') - inicio + 1));
    if (!texto.contains(QLatin1Char(';')) && !texto.contains(QLatin1Char('"')) && !texto.contains(QLatin1Char('\n'))
        && !texto.contains(QLatin1Char('\r')))
        return texto;
    texto.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + texto + QLatin1Char('"');
}

// The usual value rounded half up to whole units, as text; empty without one.
QString habitualComoTexto(const TitularConferido& t)
{
    const std::optional<long long> h = habitualArredondado(t);
    return h ? unidadesComoTexto(*h, t.creditos) : QString();
}

QString variacaoComoTexto(std::optional<double> v)
{
    return v ? QString::number(*v, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')) + QLatin1Char('%')
             : QStringLiteral("-");
}

// For a spreadsheet: the number alone, rounded to one decimal as the
// workbook's cell is, decimal comma, empty without one.
QString variacaoCsv(std::optional<double> v)
{
    return v ? QString::number(std::round(*v * 10.0) / 10.0, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','))
             : QString();
}

void imprimeCsv(const ModeloRecarga& m, const Conferencia& c)
{
    escreve(QStringLiteral("Usuário;Cartão;Matrícula;Nome;Tipo;Valor;Habitual;Variação %;Motivo"));
    for (const TitularConferido& t : c.titulares) {
        const Recarga& r = m.wRecarga[std::size_t(t.indice)];
        const QString linha = QStringList{QString::number(r.Usuario), QString::number(r.Cartao), campoCsv(r.Matricula),
                                          campoCsv(r.Nome), QString::number(r.TipoCartao),
                                          unidadesComoTexto(t.valores.valor, t.creditos), habitualComoTexto(t),
                                          variacaoCsv(t.variacao()), textoMotivo(t.motivo)}
                                  .join(QLatin1Char(';'));
        escreve(linha);
    }
}

void imprimeTexto(const ModeloRecarga& m, const Conferencia& c)
{
    escreve(QStringLiteral("Review with a variation limit of %1%").arg(c.limite));
    for (const ResumoTipoCartao& r : c.resumo) {
        escreve(QStringLiteral("Card type %1 (%2): %3 holders with a value, total now %4, at the last recharges %5, "
                               "variation %6")
                    .arg(r.tipo)
                    .arg(r.creditos ? QStringLiteral("credits") : QStringLiteral("money"))
                    .arg(r.titularesComValor)
                    .arg(unidadesComoTexto(r.totalAgora, r.creditos), unidadesComoTexto(r.totalUltimas, r.creditos),
                         variacaoComoTexto(r.variacao())));
    }
    escreve(QStringLiteral("%1 holders flagged").arg(c.titulares.size()));
    for (const TitularConferido& t : c.titulares) {
        const Recarga& r = m.wRecarga[std::size_t(t.indice)];
        const QString habitual = habitualComoTexto(t);
        escreve(QStringLiteral("%1 %2 type %3: %4, usual %5, %6 - %7")
                    .arg(r.Usuario)
                    .arg(campoCsv(r.Nome))
                    .arg(r.TipoCartao)
                    .arg(unidadesComoTexto(t.valores.valor, t.creditos),
                         habitual.isEmpty() ? QStringLiteral("none") : habitual, variacaoComoTexto(t.variacao()),
                         textoMotivo(t.motivo)));
    }
}

}  // namespace

int review(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Processes FILE as check does (its log on standard error) and reviews it as\n"
                            "\"Conferir\" does: each holder's value of group 1 against the mean of its\n"
                            "non-zero last three recharges. Prints the summary by card type and one line\n"
                            "per flagged holder; --csv prints only a CSV header and one row per flagged\n"
                            "holder: Usuário;Cartão;Matrícula;Nome;Tipo;Valor;Habitual;Variação %;Motivo;\n"
                            "--out FILE writes those rows to FILE instead (.xlsx, .ods or .csv by its\n"
                            "extension) and prints nothing."),
             QStringLiteral("0 whether or not holders are flagged, 1 FILE cannot be loaded or has "
                            "inconsistent records"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("received file, draft or plain text"));
    const ArquivoEntrada arquivo(parser);
    const QCommandLineOption limite(QStringLiteral("limit"),
                                    QStringLiteral("variation limit in percent, 1 to 1000 (default 50)"),
                                    QStringLiteral("P"), QString::number(kLimitePadrao));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("print the flagged holders as CSV"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("write the flagged holders to FILE: .xlsx, .ods or .csv"),
                                 QStringLiteral("FILE"));
    parser.addOptions({limite, csv, out});
    if (int r = analisa(parser, args, 1); r >= 0)
        return r;
    if (const std::optional<int> r = arquivo.confereOpcoes("review"))
        return *r;
    bool ok = false;
    const int p = parser.value(limite).toInt(&ok);
    if (!ok || p < kLimiteMinimo || p > kLimiteMaximo) {
        std::fputs("pluvexa-cli review: --limit must be a whole number from 1 to 1000\n", stderr);
        return UsoErrado;
    }
    FormatoPlanilha formato = FormatoPlanilha::Csv;
    if (parser.isSet(out)) {
        if (parser.isSet(csv))
            return exclusaoMutua("review", "--csv and --out");
        if (const std::optional<int> r = confereSaidaPlanilha("review", "--out", parser.value(out), formato))
            return *r;
    }
    const QString path = parser.positionalArguments().first();
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(path))
        return *r;

    ModeloRecarga modelo;
    ResultadoProcessamento processado;
    if (const std::optional<int> r = arquivo.processa(path, modelo, processado, QStringLiteral("nothing reviewed")))
        return *r;
    const Conferencia c = confere(modelo, p);
    if (parser.isSet(out))
        return gravaSaidaPlanilha(tabelaConferencia(modelo, c), formato, parser.value(out));
    if (parser.isSet(csv))
        imprimeCsv(modelo, c);
    else
        imprimeTexto(modelo, c);
    return Sucesso;
}

}  // namespace pluvexa::cli
