#include "flows/modeloconferencia.h"

#include "grid/celulasgrid.h"
#include "grid/preenchegrid.h"
#include "review/textosconferencia.h"

#include <cmath>

namespace pluvexa {

void ModeloConferencia::define(const ModeloRecarga& m, Conferencia c)
{
    beginResetModel();
    m_modelo = &m;
    m_conferencia = std::move(c);
    // The texts are made once: sorting 10,000 rows asks for them often.
    m_textos.clear();
    m_textos.reserve(m_conferencia.titulares.size());
    for (const TitularConferido& t : m_conferencia.titulares) {
        const Recarga& r = m.wRecarga[std::size_t(t.indice)];
        m_textos.push_back({QString::number(r.Usuario), nomeNaTela(r), QString::number(r.TipoCartao),
                            unidadesNaTela(t.valores.valor, t.creditos), habitualNaTela(t),
                            variacaoNaTela(t.variacao())});
    }
    endResetModel();
}

int ModeloConferencia::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_textos.size());
}

int ModeloConferencia::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColunas;
}

QVariant ModeloConferencia::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_textos.size()))
        return {};
    const std::size_t i = std::size_t(index.row());
    const TitularConferido& t = m_conferencia.titulares[i];
    const Linha& l = m_textos[i];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColUsuario: return l.usuario;
        case ColNome: return l.nome;
        case ColTipo: return l.tipo;
        case ColValor: return l.valor;
        case ColHabitual: return l.habitual;
        case ColVariacao: return l.variacao;
        case ColMotivo: return textoMotivo(t.motivo);
        }
        return {};
    case Qt::EditRole:
        // What the grid's cell shows: no thousands point to trip over.
        if (index.column() == ColValor) {
            const Recarga& r = m_modelo->wRecarga[std::size_t(t.indice)];
            return textoValor(formatoValor(modalidade(*m_modelo, r.TipoCartao)), r.Grupo[0].Valor);
        }
        return data(index, Qt::DisplayRole);
    case Qt::TextAlignmentRole:
        return index.column() == ColNome || index.column() == ColMotivo
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case kRoleDesvio:
        if (index.column() == ColVariacao) {
            const std::optional<double> v = t.variacao();
            return v ? std::abs(*v) : -1.0;
        }
        [[fallthrough]];
    case kRoleOrdem: {
        const Recarga& r = m_modelo->wRecarga[std::size_t(t.indice)];
        switch (index.column()) {
        case ColUsuario: return r.Usuario;
        case ColNome: return l.nome;
        case ColTipo: return r.TipoCartao;
        case ColValor: return t.valores.valor;
        case ColHabitual: return t.habitual();
        // Without history, below every variation.
        case ColVariacao: return t.variacao().value_or(-1e300);
        case ColMotivo: return int(t.motivo);
        }
        return {};
    }
    case kRoleMotivo:
        return int(t.motivo);
    case kRoleIndice:
        return index.row();
    }
    return {};
}

Qt::ItemFlags ModeloConferencia::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.column() != ColValor || index.row() >= int(m_textos.size()))
        return f;
    // Only a value the grid itself would take: group 1 is the group its
    // card type and tariff list the holder by.
    const Recarga& r = m_modelo->wRecarga[std::size_t(m_conferencia.titulares[std::size_t(index.row())].indice)];
    if (grupoMostrado(r, r.Grupo[0].Tarifa, modalidade(*m_modelo, r.TipoCartao)) == 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModeloConferencia::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    emit valorDigitado(m_conferencia.titulares[std::size_t(index.row())].indice, value.toString());
    return true;
}

QVariant ModeloConferencia::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ColUsuario: return QStringLiteral("Usuário");
    case ColNome: return QStringLiteral("Nome");
    case ColTipo: return QStringLiteral("Tipo");
    case ColValor: return QStringLiteral("Valor");
    case ColHabitual: return QStringLiteral("Habitual");
    case ColVariacao: return QStringLiteral("Variação %");
    case ColMotivo: return QStringLiteral("Motivo");
    }
    return {};
}

}  // namespace pluvexa
