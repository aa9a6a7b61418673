#pragma once

// The review report ("Conferência da Recarga"): A4 landscape with the shared
// page header (company, file, the variation limit and the motive shown), a
// column heading on every page, one monospaced line per flagged holder in
// the order the review page shows them, then the summary by card type.

#include "recharge/modelo.h"
#include "report/tfrepgeral.h"
#include "review/conferencia.h"

#include <QStringList>
#include <vector>

namespace pluvexa {

class Tfrepconferencia : public Tfrepgeral {
public:
    Tfrepconferencia();

    report::Band& QRBand2;     // column header
    report::Item& qrlcabecalho;
    report::Item& QRShape1;
    report::Band& QRBand3;     // detail
    report::Item& qrllinha;
    report::Band& SummaryBand1;

    QStringList Linhas;
    int LinhaAtual = -1;

    void QuickRep1BeforePrint();
    bool QuickRep1NeedData();
    void QRBand3BeforePrint();
};

// What the review page hands over before the preview.
struct ConferenciaImpressa {
    QString empresa;                // the file's company text (trimmed here)
    QString arquivo;                // the processed file, as the operator reads it
    QString motivo;                 // the motive shown ("Todos" for every one)
    std::vector<int> ordem;         // indexes into the review's holders, as shown
};

// The captions and the lines of `form` for review `c` of model `m`.
void preparaConferencia(Tfrepconferencia& form, const ModeloRecarga& m, const Conferencia& c,
                        const ConferenciaImpressa& impressa);

// The column heading and one line per holder, as the report prints them;
// for tests and for the report itself.
QString cabecalhoConferencia();
QStringList linhasConferencia(const ModeloRecarga& m, const Conferencia& c, const std::vector<int>& ordem);

}  // namespace pluvexa
