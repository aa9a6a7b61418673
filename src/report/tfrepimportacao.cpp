#include "report/tfrepimportacao.h"

#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "report/fonts.h"

namespace pluvexa {

Tfrepimportacao::Tfrepimportacao()
    : QRBand4(QuickRep1.columnHeader),
      QRLabel1(QRBand4.add(report::label("QRLabel1", {}, 0.5, 0.5, 0, report::arial(8, true)))),
      QRBand2(QuickRep1.detail),
      QRLabel2(QRBand2.add(report::label("QRLabel2", {}, 0.5, 0.5, 0, report::courierNew(8)))),
      QRBand3(QuickRep1.summary),
      QRShape1(QRBand3.add(report::line("QRShape1", 0.3, 0.8, 189.2, 3)))
{
    qrlperiodo.visible = true;
    qrlfiltro.visible = true;
    QRBand4.height = 5.6;
    QRBand2.height = 5.6;
    QRBand3.height = 7.7;

    QuickRep1.beforePrint = [this] { QuickRep1BeforePrint(); };
    QuickRep1.needData = [this] { return QuickRep1NeedData(); };
    QRBand2.beforePrint = [this] { QRBand2BeforePrint(); };
}

void Tfrepimportacao::defineCabecalho(const QString& titulo, const QString& empresa,
                                      const QString& arquivo, const QDate& hoje)
{
    qrlnomecadastro.text = titulo;
    qrlrelatorio.text = QStringLiteral("Empresa : ") + empresa;
    qrlperiodo.text = QStringLiteral("Arquivo   : ") + arquivo;
    qrlfiltro.text = QStringLiteral("Importado : ") + dataCurta(hoje);
}

void Tfrepimportacao::QuickRep1BeforePrint()
{
    LinhaAtual = 0;
    QRLabel1.text = QStringLiteral("Linha do Arquivo      Matrícula                                 Erro");
}

bool Tfrepimportacao::QuickRep1NeedData()
{
    ++LinhaAtual;
    return LinhaAtual < int(Linhas.size());
}

void Tfrepimportacao::QRBand2BeforePrint()
{
    QRLabel2.text = deCp1252(Linhas[size_t(LinhaAtual)]);
}

}  // namespace pluvexa
