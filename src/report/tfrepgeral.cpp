#include "report/tfrepgeral.h"

#include "report/fonts.h"

namespace pluvexa {

using report::arial;
using report::ItemKind;
using report::label;

Tfrepgeral::Tfrepgeral()
    : QRBand1(QuickRep1.pageHeader),
      qrlnomecadastro(QRBand1.add(label("qrlnomecadastro", {}, 25.7, 1.6, 134.4, arial(14, true),
                                        Qt::AlignHCenter))),
      qrlrelatorio(QRBand1.add(label("qrlrelatorio", {}, 25.7, 7.4, 134.4, arial(12, true),
                                     Qt::AlignHCenter))),
      qrlperiodo(QRBand1.add(label("qrlperiodo", {}, 25.7, 13.2, 134.1, arial(10, false, true),
                                   Qt::AlignHCenter, false))),
      qrlfiltro(QRBand1.add(label("qrlfiltro", {}, 25.4, 19.1, 0, arial(10), Qt::AlignLeft, false))),
      qrldatahora(QRBand1.add(label("qrldatahora", QStringLiteral("Data:"), 162.5, 1.1, 0, arial(10)))),
      QRSysData2(QRBand1.add(report::systemData("QRSysData2", ItemKind::DateTime, 162.5, 6.1, arial(10)))),
      qrlpagina(QRBand1.add(label("qrlpagina", QStringLiteral("Página:"), 162.7, 10.6, 0, arial(10)))),
      QRSysData3(QRBand1.add(report::systemData("QRSysData3", ItemKind::PageNumber, 174.9, 10.6, arial(10)))),
      QRShape4(QRBand1.add(report::line("QRShape4", 0.3, 24.9, 189.2, 3))),
      QRVersao(QRBand1.add(label("QRVersao", {}, 2.6, 19.1, 0, arial(8), Qt::AlignLeft, false)))
{
    QuickRep1.orientation = QPageLayout::Portrait;
    QuickRep1.margins = QMarginsF(10, 10, 10, 10);
    QRBand1.height = 26.2;
}

void Tfrepgeral::paisagem()
{
    QuickRep1.orientation = QPageLayout::Landscape;
    QuickRep1.margins = QMarginsF(7, 10, 7, 10);
    for (report::Item* i : {&qrlnomecadastro, &qrlrelatorio})
        i->left = 45.5;
    qrlperiodo.left = 45.5;
    qrlperiodo.alignment = Qt::AlignLeft;
    qrlperiodo.font.setItalic(false);
    qrlperiodo.visible = true;
    qrlfiltro.left = 45.5;
    qrlfiltro.width = 134.1;
    qrlfiltro.visible = true;
    qrldatahora.left = 240.8;
    QRSysData2.left = 240.8;
    qrlpagina.left = 241.0;
    QRSysData3.left = 253.2;
    QRShape4.width = 274.4;
    QRShape4.pen = 1;
    QRVersao.visible = true;
}

}  // namespace pluvexa
