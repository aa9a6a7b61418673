#include "maintenance/rotulovalor.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace pluvexa {

RotuloValor::RotuloValor(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QRect RotuloValor::areaDoTexto() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QString RotuloValor::textoMostrado() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, areaDoTexto().width());
}

void RotuloValor::defineModelo(const QString& modelo)
{
    m_modelo = modelo;
    updateGeometry();
}

int RotuloValor::larguraDoModelo() const
{
    const int bordas = 2 * margin() + (width() - contentsRect().width());
    return fontMetrics().horizontalAdvance(m_modelo.isEmpty() ? QStringLiteral("0…") : m_modelo) + bordas;
}

QSize RotuloValor::sizeHint() const
{
    QSize s = QLabel::sizeHint();
    if (!m_modelo.isEmpty())
        s.setWidth(std::max(s.width(), larguraDoModelo()));
    return s;
}

QSize RotuloValor::minimumSizeHint() const
{
    QSize s = QLabel::minimumSizeHint();
    s.setWidth(m_modelo.isEmpty() ? std::min(s.width(), larguraDoModelo()) : larguraDoModelo());
    return s;
}

void RotuloValor::paintEvent(QPaintEvent* evento)
{
    const QString mostrado = textoMostrado();
    if (mostrado == text()) {
        QLabel::paintEvent(evento);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    style()->drawItemText(&p, areaDoTexto(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), mostrado, foregroundRole());
}

bool RotuloValor::event(QEvent* evento)
{
    if (evento->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const auto* ajuda = static_cast<QHelpEvent*>(evento);
        if (textoMostrado() != text())
            QToolTip::showText(ajuda->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(evento);
}

}  // namespace pluvexa
