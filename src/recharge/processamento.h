#pragma once

// Loading the lines of a received file or a draft into the model: the part
// of the processing shared by the maintenance window and the command line.
// No widgets: the window shows messages and labels through the callbacks
// and results.

#include <functional>
#include <string_view>
#include <vector>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "recharge/modelo.h"

namespace pluvexa {

class LeitorRecarga;

// The six lines that open the processing log of `caminho`.
QStringList bannerProcessamento(const QDateTime& agora, const QString& caminho);

// One mark per kind of check; all true at the start of each processing.
struct MarcasConsistencia {
    bool header = true;
    bool detalhe = true;
    bool tipoCartao = true;
    bool tarifa = true;
    bool trailer = true;
    bool eventos = true;
    bool todas() const { return header && detalhe && tipoCartao && tarifa && trailer && eventos; }
};

// The "Dados do Arquivo" texts of the last accepted header.
struct DadosArquivo {
    QString lblseq;
    QString lblempresa;
    QString lbldata;
    QString lblcripta;
};

struct ResultadoProcessamento {
    MarcasConsistencia marcas;
    std::vector<Texto> listaTiposCartao;   // entries of cbtipocartao
    std::vector<Texto> listaTarifas;       // entries of cbtarifa
    int TipoCartaoSel = 0;
    int TarifaSel = 0;
    bool temHeader = false;
    DadosArquivo dados;
    bool consistente() const { return marcas.todas(); }
};

class ProcessadorRecarga {
public:
    explicit ProcessadorRecarga(ModeloRecarga& modelo) : m_modelo(modelo) {}

    // Called once per line of an unknown record type, before its log line,
    // with the type (the line's first two characters) and its position.
    std::function<void(const QString& tipo, int linha)> aoEventoDesconhecido;
    // Called whenever a header record is accepted.
    std::function<void(const DadosArquivo&)> aoHeader;

    // Empties the model, loads every line by its record type and appends the
    // processing log lines to `log`: header data, unknown events, refused
    // codes, then the six "OK" lines or one line per failed check. A numeric
    // field that is not an integer throws ErroConversao at that line (its
    // position set); the log keeps what was appended before it.
    ResultadoProcessamento processa(const std::vector<Texto>& linhas, QStringList& log);

private:
    // One line by its record type; what processa() says of every line.
    void processaLinha(LeitorRecarga& leitor, ResultadoProcessamento& res, int i, std::string_view linha,
                       QStringList& log);

    ModeloRecarga& m_modelo;
};

// The header texts of the window as they follow from the model's header.
DadosArquivo dadosArquivo(const Cabecalho& c);
// The header texts the window shows for `m`, and the listing and the reports
// print: those of its header once one was accepted, all empty before.
DadosArquivo dadosDoModelo(const ModeloRecarga& m);

}  // namespace pluvexa
