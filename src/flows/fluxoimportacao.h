#pragma once

// The "Importar Arquivo" click: the file chooser (the payroll system's
// ".rrm" layout or a spreadsheet), opened where the last file came from
// with the filter last used; for a spreadsheet the questions of its sheet
// and columns (perguntasplanilha.h); the run with the window's
// gauge and counter, the messages in their order, the result report when
// any record failed, and the clean-up that gives the window back its
// controls also when something was thrown half-way.
//
// No widgets: the window lends its controls through the hooks.

#include "exchange/recargaexterna.h"
#include "flows/perguntasplanilha.h"
#include "grid/avisosjanela.h"
#include "recharge/modelo.h"

#include <QDate>
#include <QString>
#include <functional>

namespace pluvexa {

class Interaction;

// The chooser's filter: the payroll layout first, spreadsheets beside it.
extern const QString kFiltroImportacao;

struct JanelaImportacao {
    // Controls, gauge with counter and caption, pending messages.
    AvisosJanela avisos;
    // The window's import mark (printing, importing and exporting stay
    // disabled while it is set).
    std::function<void(bool)> marcaImportando;
    // The hourglass cursor.
    std::function<void(bool)> ampulheta;
    // Refills the grid from the model, for the selection on screen.
    std::function<void()> recarregaGrade;
    // Told the path of the result report saved as PDF.
    std::function<void(const QString&)> aoGravar;
    // The folder the result report's PDF chooser opens in (the Documents
    // folder when empty).
    QString pastaPdf;
    // Gives the keyboard back to the window once the controls are on again
    // (disabling them moved it away).
    std::function<void()> retomaFoco;
    // What the import keeps between runs (the settings): the chooser's
    // folder and filter, the columns mapped for a spreadsheet's header.
    MemoriaImportacao memoria;
};

// The settings keys of the open chooser's last folder and filter.
inline const QString kChavePastaImportacao = QStringLiteral("Importacao/Pasta");
inline const QString kChaveFiltroImportacao = QStringLiteral("Importacao/Filtro");

struct PedidoImportacao {
    int tipoCartaoSel = 0;   // stands in for records without a card type
    QDate hoje;              // the result report's import date
    OpcoesImportacao opcoes; // log folder and clock
};

struct ResultadoImportacaoJanela {
    bool escolheu = false;   // false: the chooser was cancelled, nothing ran
    bool sucesso = false;    // every record was stored
    int armazenados = 0;     // values the run stored in the model
};

ResultadoImportacaoJanela importaArquivo(ModeloRecarga& modelo, Interaction& ui,
                                         const JanelaImportacao& janela, const PedidoImportacao& pedido);

// The result report of `run` in the preview, printable and savable as PDF.
void MostraResultado(const RecargaExterna& run, const QString& titulo, const QString& empresa,
                     const QString& arquivo, const QDate& hoje, Interaction& ui,
                     const std::function<void(const QString&)>& aoGravar = {}, const QString& pastaPdf = {});

}  // namespace pluvexa
