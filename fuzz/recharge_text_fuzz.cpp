// Processes arbitrary bytes as plain recharge text, as "Processar Arquivo"
// does after expanding: the record reader and the model must never crash,
// read out of bounds or index a table outside it; a field that is no number
// is the conversion error and nothing else. A consistent file is written
// back by the record writer; what the writer writes must read back
// consistent and be written again without refusal, and from then on stay
// the same. (The first re-read may still change it: the layout reads a money
// holder's group 2 to 4 CMM as cents but writes it as is, and a card type 00
// is never written, so its holders read as money the second time.) The
// header times come from one fixed moment.

#include "recharge/camposregistro.h"
#include "recharge/escritorrecarga.h"
#include "recharge/linhastexto.h"
#include "recharge/processamento.h"

#include <QDateTime>
#include <cstdint>
#include <cstdlib>

namespace {

pluvexa::ModeloRecarga& modelo()
{
    // Processing empties it; holders past the count are never read.
    static pluvexa::ModeloRecarga m;
    return m;
}

bool processa(const std::vector<pluvexa::Texto>& linhas)
{
    QStringList log;
    try {
        return pluvexa::ProcessadorRecarga(modelo()).processa(linhas, log).consistente();
    } catch (const pluvexa::ErroConversao&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<pluvexa::Texto> linhas;
    if (!pluvexa::divideTexto(std::string_view(reinterpret_cast<const char*>(data), size), linhas) || !processa(linhas))
        return 0;

    static const QDateTime momento(QDate(2024, 2, 1), QTime(8, 30, 0));
    const pluvexa::ResultadoEscrita primeira =
        pluvexa::EscritorRecarga(modelo()).gera("PX_00001_0001_2402010830_2.REC", momento, momento);
    if (!primeira.ok())
        return 0;   // refused, field by field: nothing is written
    auto rele = [](const pluvexa::ResultadoEscrita& escrita) {
        if (!processa(escrita.linhas))
            std::abort();
        const pluvexa::ResultadoEscrita nova =
            pluvexa::EscritorRecarga(modelo()).gera("PX_00001_0001_2402010830_2.REC", momento, momento);
        if (!nova.ok())
            std::abort();
        return nova;
    };
    const pluvexa::ResultadoEscrita segunda = rele(primeira);
    if (rele(segunda).linhas != segunda.linhas)
        std::abort();
    return 0;
}
