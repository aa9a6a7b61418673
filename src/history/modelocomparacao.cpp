#include "history/modelocomparacao.h"

#include "history/core/totaiscomparacao.h"
#include "recharge/cp1252.h"

#include <algorithm>

namespace pluvexa {

void ModeloComparacao::define(std::vector<LinhaComparacao> linhas)
{
    beginResetModel();
    m_linhas = std::move(linhas);
    m_textos.clear();
    m_textos.reserve(m_linhas.size());
    for (const LinhaComparacao& l : m_linhas)
        // Money and credits stand in the same columns: each value says which.
        m_textos.push_back({deCp1252(l.nome).trimmed(), textoComUnidade(l.valorA, l.creditos),
                            textoComUnidade(l.valorB, l.creditos), textoComUnidade(l.diferenca(), l.creditos)});
    endResetModel();
}

int ModeloComparacao::quantos(Situacao situacao) const
{
    return int(std::count_if(m_linhas.begin(), m_linhas.end(),
                             [situacao](const LinhaComparacao& l) { return l.situacao == situacao; }));
}

int ModeloComparacao::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_linhas.size());
}

int ModeloComparacao::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColunas;
}

QVariant ModeloComparacao::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_linhas.size()))
        return {};
    const LinhaComparacao& l = m_linhas[std::size_t(index.row())];
    const Textos& t = m_textos[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColUsuario: return QString::number(l.usuario);
        case ColTipo: return QString::number(l.tipo);
        case ColNome: return t.nome;
        case ColValorA: return t.valorA;
        case ColValorB: return t.valorB;
        case ColDiferenca: return t.diferenca;
        case ColSituacao: return textoSituacao(l.situacao);
        }
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == ColNome || index.column() == ColSituacao
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case kRoleOrdem:
        switch (index.column()) {
        case ColUsuario: return l.usuario;
        case ColTipo: return l.tipo;
        case ColNome: return t.nome;
        // A batch without the holder sorts below every value.
        case ColValorA: return l.valorA.value_or(-1e300);
        case ColValorB: return l.valorB.value_or(-1e300);
        case ColDiferenca: return l.diferenca();
        case ColSituacao: return int(l.situacao);
        }
        return {};
    case Qt::ToolTipRole:
        // A long name is cut at its end in the column: the tip shows it whole.
        return index.column() == ColNome ? QVariant(t.nome) : QVariant();
    case kRoleSituacao:
        return int(l.situacao);
    }
    return {};
}

QVariant ModeloComparacao::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ColUsuario: return QStringLiteral("Usuário");
    case ColTipo: return QStringLiteral("Tipo");
    case ColNome: return QStringLiteral("Nome");
    case ColValorA: return QStringLiteral("Valor A");
    case ColValorB: return QStringLiteral("Valor B");
    case ColDiferenca: return QStringLiteral("Diferença");
    case ColSituacao: return QStringLiteral("Situação");
    }
    return {};
}

}  // namespace pluvexa
