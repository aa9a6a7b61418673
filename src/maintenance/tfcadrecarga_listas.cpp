// The card type and tariff lists: each entry shows, after the text the
// processing gave it, how many holders it lists. The text itself stays in
// the entry's data, which the fill and the labels read.

#include "grid/contagemlistas.h"
#include "maintenance/tfcadrecarga.h"

#include <QComboBox>

namespace pluvexa {

namespace {

QString textoDaEntrada(const QComboBox* lista, int i)
{
    const QVariant v = lista->itemData(i);
    return v.isValid() ? v.toString() : lista->itemText(i);
}

void contaEntradas(QComboBox* lista, int (ContagemListas::*porCodigo)(int) const, const ContagemListas& c)
{
    for (int i = 0; i < lista->count(); ++i) {
        const QString texto = textoDaEntrada(lista, i);
        lista->setItemText(i, entradaComContagem(texto, (c.*porCodigo)(codigoDaEntrada(texto))));
    }
}

}  // namespace

void Tfcadrecarga::adicionaEntrada(QComboBox* lista, const QString& texto)
{
    lista->addItem(texto, texto);
}

QString Tfcadrecarga::entradaSelecionada(const QComboBox* lista) const
{
    const int i = lista->currentIndex();
    return i < 0 ? QString() : textoDaEntrada(lista, i);
}

void Tfcadrecarga::mostraContagens()
{
    const ContagemListas c = contaPortadores(*m_ctx.modelo, codigoDaEntrada(entradaSelecionada(cbtipocartao)));
    const bool carregando = m_carregandoListas;
    m_carregandoListas = true;
    contaEntradas(cbtipocartao, &ContagemListas::tipo, c);
    contaEntradas(cbtarifa, &ContagemListas::tarifa, c);
    m_carregandoListas = carregando;
    // A narrow window shrinks the lists no further than their entries.
    for (QComboBox* lista : {cbtipocartao, cbtarifa})
        lista->setMinimumWidth(lista->sizeHint().width());
}

}  // namespace pluvexa
