#pragma once

// A table (tabelasaida.h) written as a spreadsheet file, in the format the
// operator chose: CSV, Excel's .xlsx or Calc's .ods. The save dialog offers
// the three filters; the command line takes the format from the output's
// name. Every file is put in place through the file layer: nothing
// half-written ever stands under the name, an older file of that name stays
// as it was when a step fails.

#include "exchange/escrita/tabelasaida.h"
#include "files/core/falha.h"

#include <QString>
#include <optional>

namespace pluvexa {

enum class FormatoPlanilha { Csv, Xlsx, Ods };

// The save dialog's filters, Excel's first, then Calc's, then CSV's, as one
// string for the chooser ("a;;b;;c").
QString filtrosPlanilha();
// One format's filter: "Planilha do Excel (*.xlsx)", "Planilha do Calc
// (*.ods)", "Planilha (*.csv)".
QString filtroDe(FormatoPlanilha formato);
// ".xlsx", ".ods", ".csv".
QString extensaoDe(FormatoPlanilha formato);
// By the name's extension, in any letter case; nothing for any other name.
std::optional<FormatoPlanilha> formatoDoNome(const QString& nome);

// The name the chooser answered, made the name written: an extension of a
// format typed by the operator wins over the filter chosen; without one the
// filter's is appended (also to a name ending in another extension, which
// no spreadsheet program reads as a spreadsheet). `formato` receives the
// format to write.
QString nomeEscolhido(const QString& resposta, const QString& filtro, FormatoPlanilha& formato);

// Writes `tabela` under `destino` as `formato`. False, with `falha` (when
// given) naming the failed step, when it could not be written. A CSV file
// is UTF-8 with a byte-order mark and CR LF line ends, as spreadsheet
// programs expect of a file.
bool gravaTabela(const TabelaSaida& tabela, FormatoPlanilha formato, const QString& destino, FalhaArquivo* falha);
// The same with the failure in the command line's words.
bool gravaTabela(const TabelaSaida& tabela, FormatoPlanilha formato, const QString& destino, QString* erro);

}  // namespace pluvexa
