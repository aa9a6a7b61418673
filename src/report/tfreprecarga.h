#pragma once

// The listing report form ("Listagem de Cartões a Recarregar"): A4
// landscape, the shared page header with the column headings between two
// lines, and one monospaced detail band per text line of the listing body,
// composed from the sorted listing-line table at every preparation.

#include "recharge/modelo.h"
#include "report/tfrepgeral.h"

#include <vector>

namespace pluvexa {

class Tfreprecarga : public Tfrepgeral {
public:
    // The form reads the listing-line table of `modelo` (its woRecarga) and
    // the card types and tariffs each time it is prepared.
    explicit Tfreprecarga(const ModeloRecarga& modelo);

    report::Item& QRShape1;
    report::Item& QRLabel2;
    report::Item& QRLabel3;
    report::Item& QRLabel4;
    report::Item& QRLabel5;
    report::Item& QRLabel6;
    report::Item& QRLabel7;
    report::Item& QRLabel8;
    report::Item& QRLabel9;
    report::Band& QRBand3;        // detail
    report::Item& qrllinha;
    report::Band& SummaryBand1;

    std::vector<Texto> Linhas;
    int LinhaAtual = -1;
    int UltimaLinha = -1;

    void QuickRep1BeforePrint();
    bool QuickRep1NeedData();
    void QRBand3BeforePrint();

private:
    const ModeloRecarga& m_modelo;
};

// What "Imprimir" does before the preview: the captions (the title,
// `empresa` trimmed, "Arquivo : " + `arquivo`, an empty filter), then the
// listing-line table of `m` filled and sorted and UltimaLinha set.
void preparaListagem(Tfreprecarga& form, ModeloRecarga& m, const QString& empresa, const QString& arquivo);

}  // namespace pluvexa
