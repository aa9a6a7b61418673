#pragma once

// A status bar of fixed-width panels laid out left to right, each a sunken
// text cell.

#include <QStatusBar>
#include <QVector>

class QLabel;

namespace pluvexa {

class BarraStatus : public QStatusBar {
    Q_OBJECT
public:
    BarraStatus(const QVector<int>& larguras, QWidget* parent = nullptr);

    int quantidade() const { return static_cast<int>(m_paineis.size()); }
    QLabel* painel(int indice) const { return m_paineis.at(indice); }
    int largura(int indice) const;
    void defineLargura(int indice, int largura);
    void defineTexto(int indice, const QString& texto);

private:
    QVector<QLabel*> m_paineis;
};

}  // namespace pluvexa
