#pragma once

// The record parser of the payroll system's external recharge file (".rrm").
// One fixed-position record per line, positions counted from 1:
//
//   1-7    record identifier   integer (validated, not used)
//   8-28   registration number text, trimmed ("Matrícula")
//   29-47  value               decimal comma exactly at 45: 16 + "," + 2
//   48-57  company code        number (validated, not used)
//   58-59  not interpreted
//   60-69  file code           number (validated, not used)
//   70-71  card type code      integer; 0 when blank, missing or no integer
//
// A line may be longer (the rest is ignored) or shorter (missing fields are
// empty). The checks run in the order of the table; the first failure gives
// the record its status. The parser never throws.

#include "exchange/arquivo.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pluvexa {

enum StatusRegistro : std::uint8_t {
    StatusSucesso = 0,
    StatusErroAbertura = 1,
    StatusFimArquivo = 2,
    StatusErroLeitura = 3,
    StatusIdentificador = 4,
    StatusValor = 5,
    StatusEmpresa = 6,
    StatusCodigoArquivo = 7,
};

// The fixed text of a status code; empty for any other code.
QString textoStatus(int status);

class PersRecargaExterna {
public:
    // Opens `nome` for reading unless a file is already open (then true at
    // once, whatever the name).
    bool Abre(const QString& nome);
    // Reads and checks the next record; true only for status 0.
    bool LeRegistro(const QString& nome);

    std::string Matricula() const;  // Windows-1252 bytes, trimmed
    double Valor() const;           // 0 when the field holds no number
    int TipoCartao() const;         // 0 when blank, missing or no integer

    std::uint8_t StatusAtual() const { return Status; }
    QString MensagemStatus() const { return textoStatus(Status); }
    int ContaRegistros() { return Arq.ContaLinhas(); }

    std::string Registro;
    bool Aberto = false;
    std::uint8_t Status = StatusSucesso;

private:
    std::uint8_t confere() const;

    Arquivo Arq;
};

// Field readings, shared with the tests and the fuzz target.
namespace campoexterno {
// Leading blanks, an optional sign, digits and nothing after them, within
// the signed 32-bit range.
std::optional<int> inteiro(std::string_view s);
// A decimal number with the comma as decimal separator: blanks around it,
// an optional sign, digits with at most one comma among or after them.
// No thousands separator, no exponent.
std::optional<double> decimal(std::string_view s);
// The value field's layout: its first comma at position 45, so that exactly
// two characters (the decimals) follow it inside positions 29-47.
bool virgulaNoLugar(std::string_view registro);
}  // namespace campoexterno

}  // namespace pluvexa
