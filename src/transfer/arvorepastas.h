#pragma once

// The folder list of the transfer window: a tree of the folders of one
// volume, its root at the top. The folder it reports is the one the operator
// chose; a folder that vanishes stays chosen (the next run names it as
// missing) rather than quietly giving way to a neighbour.

#include <QString>
#include <QTreeView>

class QFileSystemModel;

namespace pluvexa {

class FiltroVolume;

class ArvorePastas : public QTreeView {
    Q_OBJECT
public:
    explicit ArvorePastas(QWidget* parent = nullptr);

    // Shows the volume whose root is `raiz` and chooses `pasta` in it (the
    // root when `pasta` is empty or outside the volume).
    void mostraVolume(const QString& raiz, const QString& pasta = {});
    // The chosen folder, with '/' separators.
    QString pasta() const { return m_pasta; }

signals:
    void pastaMudou(const QString& pasta);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void showEvent(QShowEvent* event) override;

private:
    void escolhe(const QString& pasta);
    // Shows the chosen folder as the current entry; false while the model
    // has not read the folders above it.
    bool posiciona();

    QFileSystemModel* m_modelo;
    FiltroVolume* m_filtro;
    QString m_pasta;
    // Rows are being removed by the model: its changes of current entry are
    // not the operator's choice.
    bool m_removendo = false;
    // The folders above the chosen one are still being read: show it once
    // they are.
    bool m_rolar = false;
};

}  // namespace pluvexa
