#pragma once

// The column mapping dialog: a spreadsheet's header and first rows, and
// for each field of the import (Matrícula, Usuário, Cartão, Valor, Tipo) a
// list of its columns to choose from. OK needs a value column and at least
// one key column.

#include "interaction/interaction.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QPushButton;

namespace pluvexa {

class DialogoColunas : public QDialog {
public:
    DialogoColunas(const PedidoColunas& pedido, QWidget* parent = nullptr);

    // Per field, the column chosen; -1: none.
    QList<int> escolha() const;

private:
    void confere();

    QList<QComboBox*> m_listas;
    QPushButton* m_ok = nullptr;
};

}  // namespace pluvexa
