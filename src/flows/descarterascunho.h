#pragma once

// Throwing a draft away at the operator's word, without stranding its batch:
// what the draft's name tells (company, batch, when it was saved), the
// question that names it, and which answered received file goes back to the
// received folder so that the batch can be processed again. Only names are
// weighed here; the window moves the file through the file layer.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace pluvexa {

// The parts of a recharge file's name "PX_EEEEE_RRRR_YYMMDDHHNN_<n>.<ext>"
// (letter case ignored): company, batch and the time stamp, read as a
// year of this century. A part the name lacks, or a stamp that is no real
// date and time, is left out.
struct NomeRecarga {
    std::optional<int> empresa;
    std::optional<int> remessa;
    QString remessaTexto;  // the batch as the name writes it ("0007")
    std::optional<QDateTime> carimbo;
};
NomeRecarga leNomeRecarga(const QString& nome);

// "Descartar os valores do rascunho da remessa 0007 gravado em 09/12/2004
// 15:30?": the batch and the time from the draft's name. A name without
// them (a draft the program did not name) is quoted whole in place of the
// batch, and `gravadoEm` (the file's own time) stands for the stamp.
QString perguntaDescarteRascunho(const QString& nomeRascunho, const QDateTime& gravadoEm);
// The buttons of that question; the last, "Continuar Alteração", is the
// default and what Escape presses.
QStringList botoesDescarteRascunho();

// The received file of the draft's batch that goes back to the received
// folder once the draft is thrown away: the newest (by the stamp in its
// name, then by name) "PX_<empresa>_<remessa>_*_1.rec" of `processados`.
// Empty when the draft's name carries no company and batch, when
// `gerados` holds an answer of that batch ("_2.REC", or "_4.REC" once taken
// to the disk: the batch went out, and processing it again would answer it
// twice), or when `recebidos` already holds a file of that name (it is
// never replaced). Names are compared ignoring letter case.
QString recebidoADevolver(const QString& nomeRascunho, const QStringList& processados, const QStringList& gerados,
                          const QStringList& recebidos);

// A name for `nome` in a folder that holds `existentes` (letter case
// ignored): `nome` itself when free, else "<base> (2).<ext>", "(3)" ...
// Nothing set aside ever replaces another file.
QString nomeLivre(const QString& nome, const QStringList& existentes);

}  // namespace pluvexa
