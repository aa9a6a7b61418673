#include "shell/barrastatus.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace pluvexa {

namespace {

// A panel whose text, too wide for it, is drawn shortened in the middle,
// so the start and the extension of a file name stay readable; the label's
// text (read by screen readers and tests) stays whole.
class PainelElastico final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* evento) override
    {
        QFrame::paintEvent(evento);
        QPainter p(this);
        const QRect area = contentsRect().adjusted(margin() + 2, 0, -margin() - 2, 0);
        p.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
    }
};

}  // namespace

BarraStatus::BarraStatus(const QVector<int>& larguras, QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    // The panels sit in a row of their own, two pixels apart, so their widths
    // are exactly the ones given whatever spacing the style would add.
    auto* fileira = new QWidget(this);
    auto* layout = m_fileira = new QHBoxLayout(fileira);
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

int BarraStatus::adicionaPainelElastico(const QString& nome)
{
    auto* p = new PainelElastico(m_fileira->parentWidget());
    p->setObjectName(nome);
    p->setAccessibleDescription(QStringLiteral("Painel %1 da barra de status").arg(m_paineis.size()));
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    p->setTextFormat(Qt::PlainText);
    p->setMinimumWidth(0);
    p->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // In place of the stretch that closed the row: the panel is the rest.
    const int fim = m_fileira->count() - 1;
    m_fileira->insertWidget(fim, p, 1);
    m_fileira->setStretch(fim + 1, 0);
    m_paineis.push_back(p);
    return static_cast<int>(m_paineis.size()) - 1;
}

void BarraStatus::defineTexto(int indice, const QString& texto)
{
    m_paineis.at(indice)->setText(texto);
}

}  // namespace pluvexa
