#pragma once

// Controls made the same way in every work window: a button named for
// tests and screen readers, and the read-only tables of the review and the
// history (sortable, a whole row selected, one line of text a row).

#include <QString>

class QAbstractItemModel;
class QPushButton;
class QTableView;
class QWidget;

namespace pluvexa {

// What a screen reader says for a caption: no "&", no surrounding blanks.
QString semMnemonico(const QString& caption);

// A button with its object name and, for assistive technology, its caption
// without the "&".
QPushButton* criaBotao(const QString& caption, const char* nome, QWidget* pai);

// One line of text a row, as the recharge grid shows its holders.
void compactaLinhas(QTableView* tabela);

// A table that shows `modelo` and is only read: sorted by a click on its
// headers (unsorted at first), whole rows selected, no row numbers, one
// line of text a row.
QTableView* criaTabelaLeitura(const char* nome, const QString& acessivel, QAbstractItemModel* modelo,
                              QWidget* pai);

}  // namespace pluvexa
