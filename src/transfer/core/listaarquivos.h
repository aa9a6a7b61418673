#pragma once

// What the transfer runs see of a file list of the window: the folder it
// shows, the names selected, and a way to point it at a folder again. The
// window implements it over its list widgets; tests over plain folders.

#include <QString>
#include <QStringList>

namespace pluvexa {

class ListaArquivos {
public:
    virtual ~ListaArquivos() = default;
    // The folder the list shows.
    virtual QString pasta() const = 0;
    // The names selected, in list order.
    virtual QStringList selecionados() const = 0;
    // Points the list at `pasta`, with its own mask, and reads it again.
    virtual void mostra(const QString& pasta) = 0;
};

}  // namespace pluvexa
