#pragma once

// Checking a value typed in the grid (ValidaValor) and putting one default
// value into every listed row (btnalteravlrClick, edalteravlrExit).

#include "grid/indicelinhas.h"
#include "grid/selecaogrid.h"
#include "recharge/modelo.h"
#include "recharge/moeda.h"

#include <QString>
#include <optional>

namespace pluvexa {

class TabelaGrid;

// A refused value never reaches the model: the cell goes back to the value
// the model holds for the holder its row shows (0 when it shows none), what
// it showed before the typing.
enum class ResultadoValor {
    Ok,
    // Error box (error icon, caption "Error").
    Invalido,
    // Plain message box.
    AcimaDoMaximo,
    // Plain message box. The row shows a money holder by group 2, 3 or 4,
    // which takes no value (somentegrupo1.h).
    SomenteGrupo1,
};

struct ValidacaoValor {
    ResultadoValor resultado = ResultadoValor::Ok;
    QString mensagem;          // empty when Ok
    bool armazenado = false;   // the model took the value at once
    QString recusado;          // when refused: the text typed, blanks around removed
};

// "Valor Inválido - Verifique!".
QString mensagemValorInvalido();
// "Valor Maior que o Permitido(R$600,00) - Verifique!" (credits without "R$").
QString mensagemMaximo(const TipoCartao& t);
// Whether `valor` passes card type `tipo`'s maximum (a Modalidade other than
// money and credits has none).
bool acimaDoMaximo(const ModeloRecarga& m, int tipo, Moeda valor);

// Checks the value cell of the current row: "." is read as the decimal
// comma; text that is no amount, or a negative amount, is refused; an
// amount above the card type's ValorMaximo is refused; an amount other than
// 0 on a row that takes no value is refused. An
// accepted amount is written back formatted with FormatoValor and, when
// the row shows its holder, stored at once in that holder's group of
// TarifaSel as the amount the cell now shows. Without `indice` the row is
// taken to show holder r - 1 (the r-th loaded holder); with it, the holder
// the index gives for the row, so that a filtered or sorted grid, or one
// listing a later card type, stores at once too. A row whose cells do not
// match that holder is stored by the next full write-back. The caller
// aborts its action unless Ok.
ValidacaoValor ValidaValor(TabelaGrid& grid, ModeloRecarga& m, const SelecaoGrid& sel,
                           const IndiceLinhas* indice = nullptr);

// The same checks for a value typed outside the grid for holder `titular`'s
// group 1 (the review's list): "." read as the decimal comma, text that is
// no amount or a negative amount refused (Invalido), an amount above the
// card type's maximum refused (AcimaDoMaximo). An accepted amount is stored
// in group 1 as the grid would show it in its card type's format (a credit
// amount rounded to a whole number). A holder outside the file is refused as
// Invalido.
ValidacaoValor ValidaValorGrupo1(ModeloRecarga& m, int titular, const QString& texto);

// The check made when the default-value edit is left: "Valor Inválido -
// Verifique!" for a negative value or text that is no number, the maximum
// message for a value above the card type's maximum, nothing when the value
// may be used.
std::optional<QString> VerificaValorPadrao(const ModeloRecarga& m, const SelecaoGrid& sel,
                                           const QString& textoValorPadrao);

struct ResultadoValorPadrao {
    bool aplicado = false;
    QString mensagem;    // why it was refused, for a plain message box
    QString linhaLog;    // for the processing log, when applied
    // When applied and rows that take no value were skipped: the notice
    // that says how many.
    QString avisoPuladas;
};

// Puts the default value into column 5 of every data row that takes a
// value, unless VerificaValorPadrao refuses it (then nothing is copied and
// nothing logged). When applied, the caller adds linhaLog to the processing
// log, runs the full write-back (AtualizaArrayRecargas) and both totals,
// and then shows avisoPuladas when there is one.
ResultadoValorPadrao AplicaValorPadrao(TabelaGrid& grid, const ModeloRecarga& m,
                                       const SelecaoGrid& sel, const QString& textoValorPadrao);

}  // namespace pluvexa
