#include "shell/barrastatus.h"

#include <QHBoxLayout>
#include <QLabel>

namespace pluvexa {

BarraStatus::BarraStatus(const QVector<int>& larguras, QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    // The panels sit in a row of their own, two pixels apart, so their widths
    // are exactly the ones given whatever spacing the style would add.
    auto* fileira = new QWidget(this);
    auto* layout = new QHBoxLayout(fileira);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < larguras.size(); ++i) {
        auto* p = new QLabel(fileira);
        p->setObjectName(QStringLiteral("Painel%1").arg(i));
        // Read by the text it shows; which panel it is, only as a description.
        p->setAccessibleDescription(QStringLiteral("Painel %1 da barra de status").arg(i));
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        p->setTextFormat(Qt::PlainText);
        p->setFixedWidth(larguras[i]);
        layout->addWidget(p);
        m_paineis.push_back(p);
    }
    layout->addStretch(1);
    addWidget(fileira, 1);
}

int BarraStatus::largura(int indice) const
{
    return m_paineis.at(indice)->maximumWidth();
}

void BarraStatus::defineLargura(int indice, int largura)
{
    m_paineis.at(indice)->setFixedWidth(largura);
}

void BarraStatus::defineTexto(int indice, const QString& texto)
{
    m_paineis.at(indice)->setText(texto);
}

}  // namespace pluvexa
