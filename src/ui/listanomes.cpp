#include "ui/listanomes.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace pluvexa {

bool trocaNomes(QListWidget* lista, const QStringList& nomes)
{
    const QListWidgetItem* atual = lista->currentItem();
    const QString corrente = atual ? atual->text() : QString();
    QStringList escolhidos;
    for (const QListWidgetItem* item : lista->selectedItems())
        escolhidos << item->text();
    {
        // One change for the operator's handlers, told below, not one per
        // entry removed and added.
        const QSignalBlocker quieta(lista);
        lista->clear();
        lista->addItems(nomes);
        for (int i = 0; i < lista->count(); ++i) {
            QListWidgetItem* item = lista->item(i);
            if (item->text() == corrente)
                lista->setCurrentItem(item, QItemSelectionModel::NoUpdate);
            item->setSelected(escolhidos.contains(item->text()));
        }
    }
    emit lista->itemSelectionChanged();
    return !corrente.isEmpty() && lista->currentItem() && lista->currentItem()->text() == corrente;
}

}  // namespace pluvexa
