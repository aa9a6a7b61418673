#pragma once

// The flagged holders of a review as a table for the review page: Usuário,
// Nome, Tipo, Valor, Habitual, Variação %, Motivo. Each cell gives its text,
// and under kRoleOrdem the value the column sorts by (numbers as numbers);
// kRoleDesvio the size of the variation; kRoleMotivo and kRoleIndice give a row's motive and its place among the
// review's holders, whatever order and filter the view puts on it. The
// value cell of a holder the grid lists by group 1 can be typed into: the
// table never changes the value itself, it says what was typed
// (valorDigitado) for the window to check and store as the grid does.

#include "recharge/modelo.h"
#include "review/conferencia.h"

#include <QAbstractTableModel>

namespace pluvexa {

class ModeloConferencia : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Coluna { ColUsuario, ColNome, ColTipo, ColValor, ColHabitual, ColVariacao, ColMotivo, kColunas };
    static constexpr int kRoleOrdem = Qt::UserRole;
    static constexpr int kRoleMotivo = Qt::UserRole + 1;
    static constexpr int kRoleIndice = Qt::UserRole + 2;
    // How far the value is from the usual one whichever the direction
    // (Variação % without its sign; -1 without history), for the order that
    // puts the likeliest slips first; other columns as kRoleOrdem.
    static constexpr int kRoleDesvio = Qt::UserRole + 3;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows review `c` of `m`; `m` must outlive the table or the next call.
    void define(const ModeloRecarga& m, Conferencia c);
    const Conferencia& conferencia() const { return m_conferencia; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // `texto` typed in the value cell of holder `titular` (wRecarga index).
    void valorDigitado(int titular, const QString& texto);

private:
    struct Linha {
        QString usuario, nome, tipo, valor, habitual, variacao;
    };
    const ModeloRecarga* m_modelo = nullptr;
    Conferencia m_conferencia;
    std::vector<Linha> m_textos;
};

}  // namespace pluvexa
