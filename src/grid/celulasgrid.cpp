#include "grid/celulasgrid.h"

#include "grid/selecaogrid.h"
#include "grid/tabelagrid.h"
#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"

#include <QHashFunctions>
#include <algorithm>

namespace pluvexa {

std::optional<int> leInteiro(const QString& texto)
{
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

int leInteiroOuMenosUm(const QString& texto)
{
    return leInteiro(texto).value_or(-1);
}

std::optional<Moeda> leMoeda(const QString& texto)
{
    return Moeda::deTexto(QStringView(texto).trimmed());
}

QString erroInteiro(const QString& texto)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(texto);
}

QString erroMoeda(const QString& texto)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(texto);
}

size_t qHash(const ChaveTitular& k, size_t seed)
{
    return qHashMulti(seed, k.usuario, k.cartao, k.matricula);
}

ChaveTitular chaveDaLinha(const TabelaGrid& grid, int linha)
{
    return {leInteiroOuMenosUm(grid.cell(kColUsuario, linha)), leInteiroOuMenosUm(grid.cell(kColCartao, linha)),
            grid.cell(kColMatricula, linha)};
}

ChaveTitular chaveDoTitular(const Recarga& h)
{
    return {h.Usuario, h.Cartao, deCp1252(h.Matricula)};
}

int grupoComTarifa(const Recarga& h, int tarifa)
{
    for (int g = 0; g < kGrupos; ++g)
        if (h.Grupo[size_t(g)].Tarifa == tarifa)
            return g;
    return -1;
}

QString formatoValor(int modalidade)
{
    return modalidade == Dinheiro ? kFormatoDinheiro : kFormatoCreditos;
}

QString textoValor(const QString& formato, double valor)
{
    return formata(formato, Moeda::deDouble(valor));
}

const QString& TextosValor::operator()(double valor)
{
    const Moeda v = Moeda::deDouble(valor);
    auto [it, novo] = vistos_.try_emplace(v.bruto());
    if (novo)
        it->second = formata(formato_, v);
    return it->second;
}

}  // namespace pluvexa
