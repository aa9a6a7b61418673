#include "report/tfreprecarga.h"

#include "recharge/cp1252.h"
#include "recharge/listagem.h"
#include "report/fonts.h"

namespace pluvexa {

using report::arial;
using report::label;

namespace {

report::Item coluna(const char* nome, const char* texto, double esquerda)
{
    return label(nome, QString::fromUtf8(texto), esquerda, 27.0, 0, arial(10));
}

}  // namespace

Tfreprecarga::Tfreprecarga(const ModeloRecarga& modelo)
    : QRShape1(QRBand1.add(report::line("QRShape1", 0.3, 33.6, 274.4, 1))),
      QRLabel2(QRBand1.add(coluna("QRLabel2", "Usuário", 2.1))),
      QRLabel3(QRBand1.add(coluna("QRLabel3", "Cartão", 26.2))),
      QRLabel4(QRBand1.add(coluna("QRLabel4", "Matrícula", 63.5))),
      QRLabel5(QRBand1.add(coluna("QRLabel5", "Nome", 97.4))),
      QRLabel6(QRBand1.add(coluna("QRLabel6", "Tipo", 192.6))),
      QRLabel7(QRBand1.add(coluna("QRLabel7", "Tarifa", 211.7))),
      QRLabel8(QRBand1.add(coluna("QRLabel8", "Valor", 239.2))),
      QRLabel9(QRBand1.add(coluna("QRLabel9", "Total", 258.2))),
      QRBand3(QuickRep1.detail),
      qrllinha(QRBand3.add(label("qrllinha", {}, 2.1, 0.3, 0, report::courierNew(8)))),
      SummaryBand1(QuickRep1.summary),
      m_modelo(modelo)
{
    paisagem();
    QRBand1.height = 34.9;

    QRBand3.height = 4.2;
    SummaryBand1.height = 10.6;

    QuickRep1.beforePrint = [this] { QuickRep1BeforePrint(); };
    QuickRep1.needData = [this] { return QuickRep1NeedData(); };
    QRBand3.beforePrint = [this] { QRBand3BeforePrint(); };
}

void Tfreprecarga::QuickRep1BeforePrint()
{
    QRVersao.text = QString::fromLatin1(kVersao) + QStringLiteral(" - ") + QString::fromLatin1(kTituloPrograma);
    QRVersao.visible = true;
    Linhas = compoeLinhas(m_modelo, UltimaLinha);
    LinhaAtual = -1;
}

bool Tfreprecarga::QuickRep1NeedData()
{
    ++LinhaAtual;
    return LinhaAtual < int(Linhas.size());
}

void preparaListagem(Tfreprecarga& form, ModeloRecarga& m, const QString& empresa, const QString& arquivo)
{
    form.qrlnomecadastro.text = QStringLiteral("Listagem de Cartões a Recarregar");
    form.qrlrelatorio.text = empresa.trimmed();
    form.qrlperiodo.text = QStringLiteral("Arquivo : ") + arquivo;
    form.qrlfiltro.text.clear();
    form.UltimaLinha = preparaListagem(m);
}

void Tfreprecarga::QRBand3BeforePrint()
{
    qrllinha.text = deCp1252(Linhas[size_t(LinhaAtual)]);
}

}  // namespace pluvexa
