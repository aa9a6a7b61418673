#include "shell/geometriajanela.h"

#include <algorithm>

namespace pluvexa {

namespace {

// A window whose top strip shows this much on an area can still be taken by
// its caption and dragged: it stays on that area.
constexpr int kFaixaVisivel = 20;
constexpr int kLarguraVisivel = 100;

QSize limitado(const QSize& tamanho, const QRect& area)
{
    return tamanho.expandedTo(tamanhoMinimo(area)).boundedTo(area.size());
}

// Moves `r` the least that puts it wholly on `area` (it is no larger).
QRect dentro(QRect r, const QRect& area)
{
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

}  // namespace

QSize tamanhoMinimo(const QRect& disponivel)
{
    return kTamanhoProjetado.boundedTo(disponivel.size() - kMoldura);
}

QRect geometriaAbertura(const QSize& desejado, const QRect& disponivel)
{
    QRect r(QPoint(0, 0), limitado(desejado, disponivel));
    r.moveCenter(disponivel.center());
    return dentro(r, disponivel);
}

QRect recolocaNaTela(const QRect& guardada, const QList<QRect>& disponiveis)
{
    if (disponiveis.isEmpty())
        return guardada;
    const QRect faixa(guardada.topLeft(), QSize(guardada.width(), kFaixaVisivel));
    for (const QRect& area : disponiveis) {
        const QRect visivel = faixa.intersected(area);
        if (visivel.width() >= std::min(kLarguraVisivel, guardada.width()) && visivel.height() >= kFaixaVisivel / 2)
            return dentro(QRect(guardada.topLeft(), limitado(guardada.size(), area)), area);
    }
    return geometriaAbertura(guardada.size(), disponiveis.first());
}

QRect geometriaInicial(const std::optional<QRect>& guardada, const QList<QRect>& disponiveis)
{
    if (guardada)
        return recolocaNaTela(*guardada, disponiveis);
    return disponiveis.isEmpty() ? QRect() : disponiveis.first();
}

}  // namespace pluvexa
