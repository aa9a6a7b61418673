#pragma once

// The base report form: A4 portrait, 10 mm margins, and the page header
// that both reports share (title, subtitle, period and filter lines, "Data:"
// with the date and time, "Página:" with the page number, the version, the
// closing line). Derived forms move, show and add items.

#include "report/report.h"

namespace pluvexa {

class Tfrepgeral {
public:
    Tfrepgeral();
    virtual ~Tfrepgeral() = default;
    Tfrepgeral(const Tfrepgeral&) = delete;
    Tfrepgeral& operator=(const Tfrepgeral&) = delete;

    report::Report QuickRep1;
    report::Band& QRBand1;   // page header

    report::Item& qrlnomecadastro;
    report::Item& qrlrelatorio;
    report::Item& qrlperiodo;
    report::Item& qrlfiltro;
    report::Item& qrldatahora;
    report::Item& QRSysData2;
    report::Item& qrlpagina;
    report::Item& QRSysData3;
    report::Item& QRShape4;
    report::Item& QRVersao;

    // The shared header items placed for an A4 landscape page (7 mm side
    // margins, 283.1 mm band): titles at 45.5 mm, the period and filter
    // lines left-aligned and shown, date and page at the right, the version
    // shown, the closing line across the page.
    void paisagem();

    // Prepares the report (its events run) as of `agora`.
    report::Document prepara(const QDateTime& agora = QDateTime::currentDateTime())
    {
        return QuickRep1.prepare(agora);
    }
};

}  // namespace pluvexa
