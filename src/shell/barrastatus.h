#pragma once

// A status bar of fixed-width panels laid out left to right, each a sunken
// text cell, and after them at most one panel that takes the rest of the
// bar (a long name shown whole where there is room).

#include <QStatusBar>
#include <QVector>

class QHBoxLayout;
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
    // Adds, after the fixed ones, a panel as wide as the rest of the bar,
    // named `nome` for tests; its index. A text wider than the room left
    // is shortened in the middle on screen, kept whole as the panel's text.
    int adicionaPainelElastico(const QString& nome);

private:
    QVector<QLabel*> m_paineis;
    QHBoxLayout* m_fileira = nullptr;
};

}  // namespace pluvexa
