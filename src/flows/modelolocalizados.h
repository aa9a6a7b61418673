#pragma once

// The holders a find over the whole file matched, as a table beside the find
// field: Usuário, Nome, Matrícula, Tipo, Tarifa, Valor. Tipo and Tarifa are
// the card type and tariff that list the holder (where a jump to it goes),
// Valor that of the group they list it by, read from the model whenever it
// is shown, so a value typed since is what the table shows. kRoleTitular
// gives a row's holder (wRecarga index).

#include "recharge/modelo.h"

#include <QAbstractTableModel>
#include <vector>

namespace pluvexa {

class ModeloLocalizados : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Coluna { ColUsuario, ColNome, ColMatricula, ColTipo, ColTarifa, ColValor, kColunas };
    static constexpr int kRoleTitular = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows holders `titulares` of `m`; `m` must outlive the table or the
    // next call.
    void define(const ModeloRecarga& m, std::vector<int> titulares);
    const std::vector<int>& titulares() const { return m_titulares; }
    // The row of holder `titular`, or -1.
    int linhaDo(int titular) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ModeloRecarga* m_modelo = nullptr;
    std::vector<int> m_titulares;
};

}  // namespace pluvexa
