#include "ui/controles.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

namespace pluvexa {

QString semMnemonico(const QString& caption)
{
    QString t = caption;
    return t.remove(QLatin1Char('&')).trimmed();
}

QPushButton* criaBotao(const QString& caption, const char* nome, QWidget* pai)
{
    auto* b = new QPushButton(caption, pai);
    b->setObjectName(QString::fromLatin1(nome));
    b->setAccessibleName(semMnemonico(caption));
    return b;
}

void compactaLinhas(QTableView* tabela)
{
    tabela->setWordWrap(false);
    tabela->verticalHeader()->setDefaultSectionSize(tabela->fontMetrics().height() + 8);
}

QTableView* criaTabelaLeitura(const char* nome, const QString& acessivel, QAbstractItemModel* modelo,
                              QWidget* pai)
{
    auto* t = new QTableView(pai);
    t->setObjectName(QString::fromLatin1(nome));
    t->setAccessibleName(acessivel);
    t->setModel(modelo);
    t->setSortingEnabled(true);
    t->sortByColumn(-1, Qt::AscendingOrder);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setAlternatingRowColors(true);
    t->verticalHeader()->hide();
    compactaLinhas(t);
    return t;
}

}  // namespace pluvexa
