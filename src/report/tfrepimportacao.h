#pragma once

// The import result report ("Resultado da Importação das Recargas"): the
// shared A4 portrait page header with the company, the file and the import
// date, a column heading on every page, one monospaced line per record of
// the external file that was not stored, and a closing line. The import run
// hands over its result list; entry 0 of it is never printed.

#include "recharge/modelo.h"
#include "report/tfrepgeral.h"

#include <QDate>
#include <vector>

namespace pluvexa {

class Tfrepimportacao : public Tfrepgeral {
public:
    Tfrepimportacao();

    report::Band& QRBand4;   // column header
    report::Item& QRLabel1;
    report::Band& QRBand2;   // detail
    report::Item& QRLabel2;
    report::Band& QRBand3;   // summary
    report::Item& QRShape1;

    // The lines to print (Windows-1252 bytes); empty at creation.
    std::vector<Texto> Linhas;
    int LinhaAtual = 0;

    // Makes `linhas` the report's lines, each broken into lines the page
    // holds (quebraLinha).
    void DefineLinhas(const std::vector<Texto>& linhas);
    // The characters of a line the page holds: Courier New 8 at the forms'
    // pitch of 7 screen pixels (1.85 mm) gives 102 in the 189 mm between
    // the margins.
    static constexpr std::size_t kLarguraLinha = 100;
    // A result line longer than the page holds, as lines that it holds: the
    // rest of its message goes on under the message's column, broken
    // between words (a word longer than the room is broken where it must);
    // nothing is cut.
    static std::vector<Texto> quebraLinha(const Texto& linha);
    // The captions the import sets before the preview: the title,
    // "Empresa : " + company, "Arquivo   : " + file, "Importado : " + date.
    void defineCabecalho(const QString& titulo, const QString& empresa, const QString& arquivo,
                         const QDate& hoje);

    void QuickRep1BeforePrint();
    bool QuickRep1NeedData();
    void QRBand2BeforePrint();
};

}  // namespace pluvexa
