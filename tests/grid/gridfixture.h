#pragma once

// The grid logic tests' helpers over the small model of
// recharge/modelofixture.h.

#include "grid/avisosjanela.h"
#include "grid/tabelagridmemoria.h"
#include "recharge/modelofixture.h"

#include <QString>
#include <QStringList>

namespace pluvexa::teste {

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
