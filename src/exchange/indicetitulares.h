#pragma once

// Finds the holder a record names among the holders of the loaded file, by
// card type and the keys the record gives. Built once per run: every
// combination of keys a record may give has its own table, so a row of a
// spreadsheet costs one look-up whatever the number of holders, and a key
// that many holders share (a card number of 0, a registration repeated) is
// never walked holder by holder.

#include "exchange/fonteregistros.h"
#include "recharge/modelo.h"

#include <QString>
#include <array>
#include <string>
#include <unordered_map>

namespace pluvexa {

// The holder found, or why none was.
struct Encontro {
    int titular = -1;  // -1: the record is refused
    // The key the result line and the log name, and its text: the one that
    // failed, or else the first the record gives (registration, user code,
    // card number).
    ChaveRegistro chave = ChaveRegistro::Matricula;
    std::string texto;
    QString erro;      // refused: the result line's message
    std::string log;   // refused: the log's error line (Windows-1252)
};

// "Matrícula", "Usuário" or "Cartão", as the log names a key.
QString rotuloChave(ChaveRegistro chave);

// The card type of a spreadsheet row that names none: every card type of
// the loaded file, the keys having to name one holder among them all.
inline constexpr int kQualquerTipo = -1;

class IndiceTitulares {
public:
    explicit IndiceTitulares(const ModeloRecarga& modelo);

    // `tipo` may be kQualquerTipo with Casamento::TodasAsChaves.
    Encontro encontra(const ChavesRegistro& chaves, int tipo, Casamento casamento) const;

private:
    // Holders with one set of key values: the first in table order, how
    // many there are, and whether they hold more than one card type.
    struct Faixa {
        int primeiro = -1;
        int quantos = 0;
        int tipo = -1;
        bool variosTipos = false;
    };
    // One table per combination of keys, by a bit mask (registration 1,
    // user code 2, card number 4), registrations of digits alone without
    // their leading zeros; entry 8 holds the registrations as they are
    // (the payroll file's way).
    static constexpr std::size_t kMatriculaLiteral = 8;
    std::array<std::unordered_map<std::string, Faixa>, 9> m_tabelas;
};

}  // namespace pluvexa
