#pragma once

// Where every field of the recharge file's records lies, stated once for the
// reader (leitorrecarga) and the writer (escritorrecarga): its first
// position (from 1), its width, its kind, and the name a refused value is
// reported under. The central reads the answer by these same positions, so
// a change here is a change of the exchanged file; each record's fields are
// checked below to cover it end to end, without gap or overlap.

#include <array>
#include <cstddef>
#include <string_view>

namespace pluvexa::layout {

enum class Tipo {
    Numero,  // decimal digits, right-aligned, zero-padded
    Texto,   // text, left-aligned, blank-padded
};

struct Campo {
    std::size_t pos;   // first character, from 1
    std::size_t len;
    Tipo tipo;
    const char* nome;  // as a refusal names it; empty where nothing is ever refused
    constexpr std::size_t fim() const { return pos + len; }  // first position after it
};

inline constexpr Tipo N = Tipo::Numero;
inline constexpr Tipo A = Tipo::Texto;

// The first two characters of every record say its type.
inline constexpr Campo kTipoRegistro{1, 2, A, "Tipo de registro"};

namespace header {
inline constexpr std::string_view kTipo = "00";
inline constexpr std::size_t kComprimento = 275;            // as written
inline constexpr std::size_t kSemVersoes = 216;             // read too: nothing after the complement
inline constexpr std::size_t kSemArredondamento = 274;      // read too: no rounding mode
inline constexpr Campo NumeroCabecalho{3, 4, N, "Número do header"};
inline constexpr Campo Empresa{7, 5, N, "Empresa"};
inline constexpr Campo NomeEmpresa{12, 50, A, "Nome da empresa"};
inline constexpr Campo DataCriacao{62, 6, A, "Data de criação"};    // DDMMYY
inline constexpr Campo HoraCriacao{68, 6, A, "Hora de criação"};    // HHNNSS
inline constexpr Campo DataGeracao{74, 6, A, "Data de geração"};
inline constexpr Campo HoraGeracao{80, 6, A, "Hora de geração"};
inline constexpr Campo Criptografado{86, 1, N, "Criptografado"};
inline constexpr Campo NomeArquivo{87, 65, A, "Nome do arquivo"};
inline constexpr Campo Complemento{152, 65, A, "Complemento"};
inline constexpr Campo VersaoRecarga{217, 20, A, "Versão Recarga"};
inline constexpr Campo VersaoRemota{237, 20, A, "Versão Remota"};
inline constexpr Campo Sequencial{257, 18, A, "Sequencial"};
inline constexpr Campo Arredondamento{275, 1, A, "Arredondamento"};
// Inside the file name: the batch number.
inline constexpr Campo RemessaNoNome{10, 4, A, "Remessa"};
inline constexpr std::array kCampos{kTipoRegistro, NumeroCabecalho, Empresa,       NomeEmpresa, DataCriacao,
                                    HoraCriacao,   DataGeracao,     HoraGeracao,   Criptografado, NomeArquivo,
                                    Complemento,   VersaoRecarga,   VersaoRemota,  Sequencial,  Arredondamento};
}  // namespace header

namespace tipoCartao {
inline constexpr std::string_view kTipo = "04";
inline constexpr std::size_t kComprimento = 65;      // as written
inline constexpr std::size_t kSemMaximo = 60;        // read too: the maximum left out
inline constexpr Campo Codigo{3, 2, N, "Código"};
inline constexpr Campo Descricao{5, 50, A, "Descrição"};
inline constexpr Campo Modalidade{55, 1, N, "Modalidade"};   // 0 money, 1 credits
inline constexpr Campo Percentual{56, 5, N, "Percentual"};   // percent × 100
inline constexpr Campo ValorMaximo{61, 5, N, "Valor máximo"};
inline constexpr std::array kCampos{kTipoRegistro, Codigo, Descricao, Modalidade, Percentual, ValorMaximo};
}  // namespace tipoCartao

namespace tarifa {
inline constexpr std::string_view kTipo = "05";
inline constexpr std::size_t kComprimento = 42;
inline constexpr Campo Codigo{3, 2, N, "Código"};
inline constexpr Campo Descricao{5, 10, A, "Descrição"};
inline constexpr Campo Valor{15, 18, N, "Valor"};            // cents
inline constexpr Campo Referencia{33, 10, N, "Referência"};
inline constexpr std::array kCampos{kTipoRegistro, Codigo, Descricao, Valor, Referencia};
}  // namespace tarifa

// One card holder. Group 1 carries wide fields; groups 2 to 4 narrow ones,
// ten characters apart; each group's three last recharges follow the
// filler, group 1's first.
namespace detalhe {
inline constexpr std::string_view kTipo = "01";
inline constexpr std::size_t kComprimento = 272;
inline constexpr Campo Usuario{3, 10, N, "Usuário"};
inline constexpr Campo Cartao{13, 10, N, "Cartão"};
inline constexpr Campo Nome{23, 50, A, "Nome"};
inline constexpr Campo Matricula{73, 20, A, "Matrícula"};
inline constexpr Campo TipoCartao{93, 2, N, "Tipo Cartão"};
inline constexpr std::array<Campo, 4> Tarifa{{{95, 4, N, "Tarifa do grupo 1"},
                                              {153, 4, N, "Tarifa do grupo 2"},
                                              {163, 4, N, "Tarifa do grupo 3"},
                                              {173, 4, N, "Tarifa do grupo 4"}}};
inline constexpr std::array<Campo, 4> Cmm{{{99, 18, N, "CMM do grupo 1"},
                                           {157, 3, N, "CMM do grupo 2"},
                                           {167, 3, N, "CMM do grupo 3"},
                                           {177, 3, N, "CMM do grupo 4"}}};
inline constexpr std::array<Campo, 4> Valor{{{135, 18, N, "Valor do grupo 1"},
                                             {160, 3, N, "Valor do grupo 2"},
                                             {170, 3, N, "Valor do grupo 3"},
                                             {180, 3, N, "Valor do grupo 4"}}};
// Not read; written as zeros, zeros and blanks.
inline constexpr Campo Reservado1{117, 18, N, ""};
inline constexpr Campo Reservado2{183, 18, N, ""};
inline constexpr Campo Reservado3{201, 12, A, ""};
// Per group: last, second-to-last and third-to-last recharge.
inline constexpr std::array<std::array<Campo, 3>, 4> Historico{{
    {{{213, 5, N, "Última recarga do grupo 1"},
      {218, 5, N, "Penúltima recarga do grupo 1"},
      {223, 5, N, "Antepenúltima recarga do grupo 1"}}},
    {{{228, 5, N, "Última recarga do grupo 2"},
      {233, 5, N, "Penúltima recarga do grupo 2"},
      {238, 5, N, "Antepenúltima recarga do grupo 2"}}},
    {{{243, 5, N, "Última recarga do grupo 3"},
      {248, 5, N, "Penúltima recarga do grupo 3"},
      {253, 5, N, "Antepenúltima recarga do grupo 3"}}},
    {{{258, 5, N, "Última recarga do grupo 4"},
      {263, 5, N, "Penúltima recarga do grupo 4"},
      {268, 5, N, "Antepenúltima recarga do grupo 4"}}},
}};
inline constexpr std::array kCampos{
    kTipoRegistro,   Usuario,         Cartao,          Nome,            Matricula,       TipoCartao,
    Tarifa[0],       Cmm[0],          Reservado1,      Valor[0],        Tarifa[1],       Cmm[1],
    Valor[1],        Tarifa[2],       Cmm[2],          Valor[2],        Tarifa[3],       Cmm[3],
    Valor[3],        Reservado2,      Reservado3,      Historico[0][0], Historico[0][1], Historico[0][2],
    Historico[1][0], Historico[1][1], Historico[1][2], Historico[2][0], Historico[2][1], Historico[2][2],
    Historico[3][0], Historico[3][1], Historico[3][2]};
}  // namespace detalhe

// Counts of the holders using each group; the amounts are always 0.
namespace trailer {
inline constexpr std::string_view kTipo = "99";
inline constexpr std::size_t kComprimento = 156;
inline constexpr Campo Registros{3, 10, N, "Quantidade de registros"};  // header and trailer included
inline constexpr std::array<Campo, 4> Portadores{{{13, 18, N, ""}, {49, 18, N, ""}, {85, 18, N, ""}, {121, 18, N, ""}}};
inline constexpr std::array<Campo, 4> Montante{{{31, 18, N, ""}, {67, 18, N, ""}, {103, 18, N, ""}, {139, 18, N, ""}}};
inline constexpr std::array kCampos{kTipoRegistro, Registros,     Portadores[0], Montante[0], Portadores[1],
                                    Montante[1],   Portadores[2], Montante[2],   Portadores[3], Montante[3]};
}  // namespace trailer

// Each field starts where the one before it ends, and the last ends the record.
template <std::size_t n>
constexpr bool cobre(const std::array<Campo, n>& campos, std::size_t comprimento)
{
    std::size_t proximo = 1;
    for (const Campo& c : campos) {
        if (c.pos != proximo || c.len == 0)
            return false;
        proximo = c.fim();
    }
    return proximo == comprimento + 1;
}

static_assert(cobre(header::kCampos, header::kComprimento));
static_assert(header::VersaoRecarga.pos == header::kSemVersoes + 1);
static_assert(header::Arredondamento.pos == header::kSemArredondamento + 1);
static_assert(cobre(tipoCartao::kCampos, tipoCartao::kComprimento));
static_assert(tipoCartao::ValorMaximo.pos == tipoCartao::kSemMaximo + 1);
static_assert(cobre(tarifa::kCampos, tarifa::kComprimento));
static_assert(cobre(detalhe::kCampos, detalhe::kComprimento));
static_assert(cobre(trailer::kCampos, trailer::kComprimento));

}  // namespace pluvexa::layout
