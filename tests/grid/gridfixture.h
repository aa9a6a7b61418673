#pragma once

// A small recharge model and helpers shared by the grid logic tests.

#include "grid/avisosjanela.h"
#include "grid/tabelagridmemoria.h"
#include "recharge/modelo.h"
#include "support/titulares.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace pluvexa::teste {

inline constexpr int kTipoDinheiro = 1;
inline constexpr int kTipoCreditos = 2;
inline constexpr int kTipoOutro = 3;

using test::nome50;
using test::titular;

// Card types 1 (money, max 600), 2 (credits, 50 %, max 250), 3 (money);
// tariffs 1 to 5 with fares 1,00 to 5,00 and tariff 3 at 2,30.
inline std::unique_ptr<ModeloRecarga> novoModelo()
{
    auto m = std::make_unique<ModeloRecarga>();
    m->wTipoCartao[kTipoDinheiro] = {kTipoDinheiro, "ESCOLAR", Dinheiro, 0, 600.0};
    m->wTipoCartao[kTipoCreditos] = {kTipoCreditos, "VALE TRANSPORTE", Creditos, 50.0, 250.0};
    m->wTipoCartao[kTipoOutro] = {kTipoOutro, "IDOSO", Dinheiro, 0, 600.0};
    for (int t = 1; t <= 5; ++t)
        m->wTarifa[size_t(t)] = {t, "TARIFA    ", double(t), 0};
    m->wTarifa[3].Valor = 2.30;
    return m;
}

inline void carrega(ModeloRecarga& m, const std::vector<Recarga>& hs)
{
    for (size_t i = 0; i < hs.size(); ++i)
        m.wRecarga[i] = hs[i];
    m.QtdRecarga = int(hs.size());
}

inline QString entrada(int codigo, const char* nome = "X")
{
    return QStringLiteral("%1 - %2").arg(codigo, 2, 10, QLatin1Char('0')).arg(QLatin1String(nome));
}

// The texts of one grid row, columns 0 to `ate`.
inline QStringList linha(const TabelaGrid& g, int r, int ate = 8)
{
    QStringList out;
    for (int c = 0; c <= ate; ++c)
        out << g.cell(c, r);
    return out;
}

inline QList<QStringList> todasAsCelulas(const TabelaGrid& g)
{
    QList<QStringList> out;
    for (int r = 0; r < g.rowCount(); ++r)
        out << linha(g, r, g.columnCount() - 1);
    return out;
}

// Records every hook the logic calls, in order.
struct Gravador {
    QStringList eventos;
    AvisosJanela avisos()
    {
        AvisosJanela a;
        a.status = [this](const QString& t) { eventos << "status:" + t; };
        a.habilitaControles = [this](bool on) { eventos << QStringLiteral("habilita:%1").arg(on); };
        a.mostraProgresso = [this](bool on) { eventos << QStringLiteral("progresso:%1").arg(on); };
        a.legendaProgresso = [this](const QString& t) { eventos << "legenda:" + t; };
        a.progresso = [this](int p, int n) { posicoes.push_back({p, n}); };
        a.processaMensagens = [this] { eventos << QStringLiteral("mensagens"); };
        a.zeraValorPadrao = [this](int d) { eventos << QStringLiteral("valorPadrao:%1").arg(d); };
        return a;
    }
    std::vector<std::pair<int, int>> posicoes;
};

// Adds a data row to the grid: Usuario, Cartao, Matricula, value.
inline void acrescenta(TabelaGridMemoria& g, const QString& u, const QString& c, const QString& mat,
                       const QString& valor)
{
    const int r = g.rowCount();
    g.setRowCount(r + 1);
    g.setCell(0, r, u);
    g.setCell(1, r, c);
    g.setCell(2, r, mat);
    g.setCell(5, r, valor);
}

}  // namespace pluvexa::teste
