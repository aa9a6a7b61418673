#pragma once

// Builds the records of a draft or answer file from the model. It never
// writes a record of the wrong length nor a value its field cannot hold:
// when anything does not fit, nothing is written and every offending field
// is reported so the operator can correct it.

#include <functional>
#include <vector>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "recharge/modelo.h"

namespace pluvexa {

struct CampoRecusado {
    enum class Registro { Cabecalho, TipoCartao, Tarifa, Detalhe };
    Registro registro = Registro::Detalhe;
    int codigo = 0;      // holder's Usuario, card-type or tariff code; 0 for the header
    Texto nome;          // holder's Nome or the card type's / tariff's Descricao
    QString campo;       // which field, e.g. "Histórico 1 do grupo 1"
    QString motivo;      // why it cannot be written

    // One line for a message box or a log, e.g.
    // "Portador 123 - JOSE ... - Valor do grupo 2: ..."
    QString texto() const;
};

struct ResultadoEscrita {
    std::vector<Texto> linhas;            // empty when anything was refused
    std::vector<CampoRecusado> recusas;
    bool ok() const { return recusas.empty(); }
    QStringList textosRecusas() const;
};

class EscritorRecarga {
public:
    explicit EscritorRecarga(const ModeloRecarga& modelo);

    // Header, card types 1..31, tariffs 0..14 with a name, the holders,
    // trailer. `inicio` is the moment generation starts, `detalhes` the
    // moment the details were written; `nomeArquivo` goes into the header.
    ResultadoEscrita gera(const Texto& nomeArquivo, const QDateTime& inicio,
                          const QDateTime& detalhes) const;
    // Reads the clock once before and once after the details.
    ResultadoEscrita gera(const Texto& nomeArquivo,
                          const std::function<QDateTime()>& relogio) const;

private:
    const ModeloRecarga& m_modelo;
};

// The file text of the lines: each ends with CR LF, nothing after the last.
std::string juntaLinhas(const std::vector<Texto>& linhas);
// The lines of a file text; CR LF, CR or LF end a line.
std::vector<Texto> divideLinhas(std::string_view texto);

}  // namespace pluvexa
