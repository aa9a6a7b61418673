#pragma once

// Whether a recharge text is whole: its first non-blank line is its only
// header, its last its only trailer, and the trailer's record count (header
// and trailer included) is the number of non-blank lines, records of
// unknown types too. The record checks look at each line alone; a draft,
// a kept batch or a plain text cut short at a line end passes them all and
// would be worked on as if nothing were missing. A received file is vouched
// for by its envelope (length, padding, signature); the others are not.

#include "recharge/modelo.h"

#include <QString>
#include <cstddef>
#include <vector>

namespace pluvexa {

struct Completude {
    enum class Falta {
        Nada,
        Header,     // the first non-blank line is no header, or a header stands elsewhere
        Trailer,    // the last non-blank line is no trailer with a count, or a trailer stands elsewhere
        Registros,  // the trailer counts other than the lines read
    };
    Falta falta = Falta::Nada;
    long long informados = 0;  // the trailer's count
    std::size_t lidos = 0;     // the non-blank lines

    bool completa() const { return falta == Falta::Nada; }
    // The processing log's line: " ==> Arquivo incompleto: sem Header ",
    // "... sem Trailer " or "... o Trailer informa <n> registros e foram
    // lidos <m> "; empty when whole.
    QString linhaLog() const;
    // The command line's words: "no header", "no trailer" or "the trailer
    // counts <n> records, <m> were read"; empty when whole.
    QString motivo() const;
    // "\"<caminho>\" is incomplete: <motivo>".
    QString textoIngles(const QString& caminho) const;
};

// Looks at the lines as read (blank ones, if any, are not counted). An
// empty text, or one of blanks or NUL bytes only, has no header.
Completude confereCompleto(const std::vector<Texto>& linhas);

}  // namespace pluvexa
