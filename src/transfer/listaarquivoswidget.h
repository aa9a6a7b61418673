#pragma once

// A file list of the transfer window: a list widget showing the names of
// one folder that match a mask (letter case ignored), several selectable.

#include "transfer/core/listaarquivos.h"

#include <functional>

class QListWidget;

namespace pluvexa {

class ListaArquivosWidget final : public ListaArquivos {
public:
    ListaArquivosWidget(QListWidget* lista, QString mascara);

    QString pasta() const override { return m_pasta; }
    QStringList selecionados() const override;
    void mostra(const QString& pasta) override;

    // Reads the folder shown again, the current and selected entries kept
    // by name where they are still listed.
    void rele();

    int quantidade() const;
    // Called after every reading of the folder.
    std::function<void()> relida;

private:
    QListWidget* m_lista;
    QString m_mascara;
    QString m_pasta;
};

}  // namespace pluvexa
