#include "flows/modelolocalizados.h"

#include "grid/celulasgrid.h"
#include "grid/filtroportadores.h"
#include "grid/preenchegrid.h"
#include "recharge/cp1252.h"

#include <algorithm>

namespace pluvexa {

void ModeloLocalizados::define(const ModeloRecarga& m, std::vector<int> titulares)
{
    beginResetModel();
    m_modelo = &m;
    m_titulares = std::move(titulares);
    endResetModel();
}

int ModeloLocalizados::linhaDo(int titular) const
{
    const auto it = std::find(m_titulares.begin(), m_titulares.end(), titular);
    return it == m_titulares.end() ? -1 : int(it - m_titulares.begin());
}

int ModeloLocalizados::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_titulares.size());
}

int ModeloLocalizados::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColunas;
}

QVariant ModeloLocalizados::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_modelo || index.row() >= int(m_titulares.size()))
        return {};
    const int h = m_titulares[std::size_t(index.row())];
    if (role == kRoleTitular)
        return h;
    if (role == Qt::TextAlignmentRole)
        return index.column() == ColNome || index.column() == ColMatricula
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || h < 0 || h >= qtdTitulares(*m_modelo))
        return {};
    const Recarga& r = m_modelo->wRecarga[std::size_t(h)];
    const OndeListado onde = ondeListado(*m_modelo, h);
    switch (index.column()) {
    case ColUsuario: return QString::number(r.Usuario);
    case ColNome: return deCp1252(r.Nome).trimmed();
    case ColMatricula: return deCp1252(r.Matricula).trimmed();
    case ColTipo: return QString::number(onde.tipo);
    case ColTarifa: return onde.tarifa < 0 ? QString() : QString::number(onde.tarifa);
    case ColValor: {
        const int k = modalidade(*m_modelo, r.TipoCartao);
        const int g = onde.tarifa < 0 ? -1 : grupoMostrado(r, onde.tarifa, k);
        return g < 0 ? QString() : textoValor(formatoValor(k), r.Grupo[std::size_t(g)].Valor);
    }
    }
    return {};
}

QVariant ModeloLocalizados::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ColUsuario: return QStringLiteral("Usuário");
    case ColNome: return QStringLiteral("Nome");
    case ColMatricula: return QStringLiteral("Matrícula");
    case ColTipo: return QStringLiteral("Tipo");
    case ColTarifa: return QStringLiteral("Tarifa");
    case ColValor: return QStringLiteral("Valor");
    }
    return {};
}

}  // namespace pluvexa
