#include "report/tfrepconferencia.h"

#include "recharge/cp1252.h"
#include "report/fonts.h"
#include "review/textosconferencia.h"

namespace pluvexa {

namespace {

// Columns of a flagged holder's line, in characters of the monospaced face.
QString esquerda(const QString& t, int largura)
{
    return t.leftJustified(largura, QLatin1Char(' '), true);
}

QString direita(const QString& t, int largura)
{
    return t.rightJustified(largura, QLatin1Char(' '));
}

QString linhaTitular(const QString& usuario, const QString& nome, const QString& tipo, const QString& valor,
                     const QString& habitual, const QString& variacao, const QString& motivo)
{
    return esquerda(usuario, 11) + u' ' + esquerda(nome, 50) + u' ' + direita(tipo, 4) + u' ' + direita(valor, 15)
           + u' ' + direita(habitual, 15) + u' ' + direita(variacao, 11) + QStringLiteral("  ") + motivo;
}

QString linhaResumo(const QString& tipo, const QString& descricao, const QString& comValor, const QString& agora,
                    const QString& ultimas, const QString& variacao)
{
    return direita(tipo, 4) + u' ' + esquerda(descricao, 50) + u' ' + direita(comValor, 18) + u' '
           + direita(agora, 18) + u' ' + direita(ultimas, 18) + u' ' + direita(variacao, 11);
}

}  // namespace

Tfrepconferencia::Tfrepconferencia()
    : QRBand2(QuickRep1.columnHeader),
      qrlcabecalho(QRBand2.add(report::label("qrlcabecalho", {}, 2.1, 0.8, 0, report::courierNew(8)))),
      QRShape1(QRBand2.add(report::line("QRShape1", 0.3, 5.3, 274.4, 1))),
      QRBand3(QuickRep1.detail),
      qrllinha(QRBand3.add(report::label("qrllinha", {}, 2.1, 0.3, 0, report::courierNew(8)))),
      SummaryBand1(QuickRep1.summary)
{
    paisagem();
    QRBand1.height = 26.2;
    QRBand2.height = 6.4;
    QRBand3.height = 4.2;
    SummaryBand1.height = 10.6;
    qrlcabecalho.text = cabecalhoConferencia();

    QuickRep1.beforePrint = [this] { QuickRep1BeforePrint(); };
    QuickRep1.needData = [this] { return QuickRep1NeedData(); };
    QRBand3.beforePrint = [this] { QRBand3BeforePrint(); };
}

void Tfrepconferencia::QuickRep1BeforePrint()
{
    QRVersao.text = QString::fromLatin1(kVersao) + QStringLiteral(" - ") + QString::fromLatin1(kTituloPrograma);
    LinhaAtual = -1;
}

bool Tfrepconferencia::QuickRep1NeedData()
{
    ++LinhaAtual;
    return LinhaAtual < Linhas.size();
}

void Tfrepconferencia::QRBand3BeforePrint()
{
    qrllinha.text = Linhas.at(LinhaAtual);
}

QString cabecalhoConferencia()
{
    return linhaTitular(QStringLiteral("Usuário"), QStringLiteral("Nome"), QStringLiteral("Tipo"),
                        QStringLiteral("Valor"), QStringLiteral("Habitual"), QStringLiteral("Variação %"),
                        QStringLiteral("Motivo"));
}

QStringList linhasConferencia(const ModeloRecarga& m, const Conferencia& c, const std::vector<int>& ordem)
{
    QStringList linhas;
    linhas.reserve(qsizetype(ordem.size()));
    for (const int i : ordem) {
        if (i < 0 || i >= int(c.titulares.size()))
            continue;
        const TitularConferido& t = c.titulares[std::size_t(i)];
        const Recarga& r = m.wRecarga[std::size_t(t.indice)];
        linhas << linhaTitular(QString::number(r.Usuario), nomeNaTela(r), QString::number(r.TipoCartao),
                               unidadesNaTela(t.valores.valor, t.creditos), habitualNaTela(t),
                               variacaoNaTela(t.variacao()), textoMotivo(t.motivo));
    }
    return linhas;
}

void preparaConferencia(Tfrepconferencia& form, const ModeloRecarga& m, const Conferencia& c,
                        const ConferenciaImpressa& impressa)
{
    form.qrlnomecadastro.text = QStringLiteral("Conferência da Recarga");
    form.qrlrelatorio.text = impressa.empresa.trimmed();
    form.qrlperiodo.text = QStringLiteral("Arquivo : ") + impressa.arquivo;
    form.qrlfiltro.text = QStringLiteral("Limite de variação : %1%    Motivo : %2").arg(c.limite).arg(impressa.motivo);

    QStringList& l = form.Linhas;
    l = linhasConferencia(m, c, impressa.ordem);
    if (l.isEmpty())
        l << QStringLiteral("Nenhum titular assinalado.");
    l << QString() << QStringLiteral("Titulares assinalados : %1").arg(impressa.ordem.size()) << QString();
    l << QStringLiteral("Resumo por Tipo de Cartão") << QString();
    l << linhaResumo(QStringLiteral("Tipo"), QStringLiteral("Descrição"), QStringLiteral("Titulares c/ Valor"),
                     QStringLiteral("Total Agora"), QStringLiteral("Últimas Recargas"), QStringLiteral("Variação %"));
    for (const ResumoTipoCartao& r : c.resumo) {
        const QString descricao = r.tipo >= 0 && r.tipo < kTiposCartao
                                      ? deCp1252(m.wTipoCartao[std::size_t(r.tipo)].Descricao).trimmed()
                                      : QString();
        l << linhaResumo(QString::number(r.tipo), descricao, QString::number(r.titularesComValor),
                         unidadesNaTela(r.totalAgora, r.creditos), unidadesNaTela(r.totalUltimas, r.creditos),
                         variacaoNaTela(r.variacao()));
    }
}

}  // namespace pluvexa
