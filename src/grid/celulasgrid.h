#pragma once

// Readings of grid cells shared by the fill, the totals, the write-back,
// the value check and the sort (the model's look-ups by code are in
// recharge/modelo.h).

#include "recharge/modelo.h"
#include "recharge/moeda.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

namespace pluvexa {

class TabelaGrid;

// Grid columns.
inline constexpr int kColUsuario = 0;
inline constexpr int kColCartao = 1;
inline constexpr int kColMatricula = 2;
inline constexpr int kColNome = 3;
inline constexpr int kColCMM = 4;
inline constexpr int kColValor = 5;
inline constexpr int kColHistorico = 6;   // 6 to 8: the shown group's history
inline constexpr int kColunasDinheiro = 9;
inline constexpr int kColunasCreditos = 18;

// A whole number in the cell, blanks around it allowed; 32-bit range.
std::optional<int> leInteiro(const QString& texto);
// As leInteiro, -1 when the text holds no whole number.
int leInteiroOuMenosUm(const QString& texto);
// The currency reading of the cell, blanks around it allowed.
std::optional<Moeda> leMoeda(const QString& texto);

// The conversion errors the window reports in its default error box.
QString erroInteiro(const QString& texto);   // "'%s' is not a valid integer value"
QString erroMoeda(const QString& texto);     // "'%s' is not a valid floating point value"

// What ties a grid row to a holder: Usuario and Cartao as the cells read
// (leInteiroOuMenosUm), Matricula exactly as column 2 shows it.
struct ChaveTitular {
    int usuario;
    int cartao;
    QString matricula;
    bool operator==(const ChaveTitular&) const = default;
};
size_t qHash(const ChaveTitular& k, size_t seed = 0);
ChaveTitular chaveDaLinha(const TabelaGrid& grid, int linha);
ChaveTitular chaveDoTitular(const Recarga& h);

// Index (0 to 3) of the first group whose Tarifa is `tarifa`, or -1.
int grupoComTarifa(const Recarga& h, int tarifa);

// The value format that follows from a card type's Modalidade.
QString formatoValor(int modalidade);
// A value shown in the grid: rounded to currency, then formatted.
QString textoValor(const QString& formato, double valor);

// textoValor for a whole grid: a file repeats the same few amounts, so each
// distinct amount is formatted once and its text shared by every cell that
// shows it.
class TextosValor {
public:
    explicit TextosValor(QString formato) : formato_(std::move(formato)) {}
    const QString& operator()(double valor);

private:
    QString formato_;
    std::unordered_map<std::int64_t, QString> vistos_;
};

}  // namespace pluvexa
