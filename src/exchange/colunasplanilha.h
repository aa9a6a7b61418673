#pragma once

// The fields a spreadsheet's columns give the import, and the columns the
// operator (or the command line's --columns) names for them.

#include <QString>
#include <array>
#include <optional>

namespace pluvexa {

// The fields a column can give, in the order the mapping lists them.
enum class CampoPlanilha { Matricula, Usuario, Cartao, Valor, Tipo };
inline constexpr int kCamposPlanilha = 5;

// "Matrícula", "Usuário", "Cartão", "Valor", "Tipo".
QString rotuloCampo(CampoPlanilha campo);
// "matricula", "usuario", "cartao", "valor", "tipo": the command line's names.
QString nomeCampo(CampoPlanilha campo);

// The columns the operator named, by their header text, per field. A field
// left unset is recognised by its name as usual; one set to an empty text
// has no column.
struct MapaColunas {
    std::array<std::optional<QString>, kCamposPlanilha> nomes;

    bool vazio() const;
    std::optional<QString>& operator[](CampoPlanilha c) { return nomes[std::size_t(c)]; }
    const std::optional<QString>& operator[](CampoPlanilha c) const { return nomes[std::size_t(c)]; }
    // From "matricula=<cabeçalho>,valor=<cabeçalho>[,usuario=…,cartao=…,tipo=…]";
    // nothing, with `erro` set (English), when it is not so written.
    static std::optional<MapaColunas> doTexto(const QString& texto, QString* erro);
};

}  // namespace pluvexa
