#pragma once

// The recharge data of one run: the tables filled by reading a received file
// or a draft, edited by the grid and the import, and written back into the
// answer file. Texts are Windows-1252 bytes exactly as the file holds them;
// they become QString only at the screen (see cp1252.h).

#include <array>
#include <string>
#include <vector>

namespace pluvexa {

using Texto = std::string;  // Windows-1252 bytes

inline constexpr int kTarifas = 15;       // tariff codes 00 to 14
inline constexpr int kTiposCartao = 32;   // card-type codes 00 to 31
inline constexpr int kRecargas = 10000;   // holders per file
inline constexpr int kGrupos = 4;         // tariff groups per holder
inline constexpr int kListagem = kRecargas * kGrupos;

// The program's version as carried in the answer file and shown everywhere.
inline constexpr const char* kVersao = "2.1.1.01C ";
// The application title, in captions and on the printed listing.
inline constexpr const char* kTituloPrograma = "Pluvexa";
// Converts the whole cents of the files into currency units.
inline constexpr double kFatorMoeda = 0.01;

struct Tarifa {
    int Codigo = 0;
    Texto Descricao;          // 10 characters, not trimmed; empty: no tariff
    double Valor = 0;         // fare of one trip, currency units
    int Referencia = 0;
};

enum Modalidade : int { Dinheiro = 0, Creditos = 1 };

struct TipoCartao {
    int Codigo = 0;           // 0: the entry holds no card type
    Texto Descricao;          // 50 characters, not trimmed
    int Modalidade = 0;       // 0 money, otherwise credits
    double Percentual = 0;    // percent of the fare charged per credit
    double ValorMaximo = 0;   // largest recharge per holder and group
};

struct GrupoRecarga {
    int Tarifa = 0;           // 0: group not used
    int CMM = 0;
    double Valor = 0;         // the value the operator enters
};

struct Recarga {
    int Usuario = 0;
    int Cartao = 0;
    Texto Nome;               // 50 characters, not trimmed
    Texto Matricula;          // trimmed, may be empty
    int TipoCartao = 0;
    std::array<GrupoRecarga, kGrupos> Grupo{};
    // Per group: last, second-to-last and third-to-last recharge.
    std::array<std::array<double, 3>, kGrupos> Historico{};
};

// One holder and one used group; scratch for the listing and the sort.
struct ORecarga {
    int Usuario = 0;
    int Cartao = 0;
    Texto Nome;
    Texto Matricula;
    int TipoCartao = 0;
    int Tarifa = 0;
    int CMM = 0;
    double Valor = 0;
};

// Values of the header record of the file being worked on.
struct Cabecalho {
    int NumeroCabecalho = 0;
    int Empresa = 0;
    Texto NomeEmpresa;
    Texto DataCriacao, HoraCriacao;   // "DDMMYY", "HHNNSS"
    Texto DataGeracao, HoraGeracao;   // read, not used
    int Criptografado = 0;
    Texto NomeArquivo;                // 65 characters
    Texto Remessa;                    // characters 10 to 13 of NomeArquivo
    Texto Complemento;
    Texto VersaoRecarga;
    Texto VersaoRemota;               // read, not used
    Texto Sequencial;
    Texto Arredondamento = "0";
    // The model holds a header (one was read, or made for a demonstration):
    // without one the file shows and prints no company, batch or date.
    bool Lido = false;
};

// The recharge tables. One instance (modelo()) serves the whole program;
// tests make their own so each starts empty.
class ModeloRecarga {
public:
    ModeloRecarga();

    std::array<Tarifa, kTarifas> wTarifa;
    std::array<TipoCartao, kTiposCartao> wTipoCartao;
    std::vector<Recarga> wRecarga;    // kRecargas entries
    std::vector<ORecarga> woRecarga;  // kListagem entries, scratch
    int QtdRecarga = 0;
    Cabecalho cabecalho;
    // Rounding mode of the processed file's header; 0 until a file is read.
    int ModoArredondamento = 0;

    // Empties the model for a new file: holder count 0, tariffs, card types
    // and the header values reset (a file without a header must not be
    // answered under the company and batch of the file read before it).
    // Holder entries are overwritten as details are read.
    void esvazia();
    // Back to the state at program start: everything zero or empty.
    void limpaTudo();
};

// The card type or tariff of a code, or nothing when the code lies outside
// the table.
const TipoCartao* tipoCartao(const ModeloRecarga& m, int codigo);
const Tarifa* tarifa(const ModeloRecarga& m, int codigo);
// Modalidade of the code; a code outside the table counts as money.
int modalidade(const ModeloRecarga& m, int codigo);

// Holders in use: QtdRecarga, never more than the table holds.
int qtdTitulares(const ModeloRecarga& m);

// The process-wide model.
ModeloRecarga& modelo();

}  // namespace pluvexa
