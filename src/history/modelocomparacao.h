#pragma once

// Two kept batches compared, as a table: Usuário, Tipo, Nome, Valor A,
// Valor B, Diferença, Situação, each value with its unit ("R$ 12,50",
// "30 créditos"); the name's tip is the whole name. Each cell gives its text and, under
// kRoleOrdem, the value its column sorts by; kRoleSituacao gives a row's
// situation whatever order and filter the view puts on it.

#include "history/core/historico.h"

#include <QAbstractTableModel>
#include <vector>

namespace pluvexa {

class ModeloComparacao : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Coluna { ColUsuario, ColTipo, ColNome, ColValorA, ColValorB, ColDiferenca, ColSituacao, kColunas };
    static constexpr int kRoleOrdem = Qt::UserRole;
    static constexpr int kRoleSituacao = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void define(std::vector<LinhaComparacao> linhas);
    const std::vector<LinhaComparacao>& linhas() const { return m_linhas; }
    int quantos(Situacao situacao) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Textos {
        QString nome, valorA, valorB, diferenca;
    };
    std::vector<LinhaComparacao> m_linhas;
    std::vector<Textos> m_textos;
};

}  // namespace pluvexa
