#include "transfer/listaarquivoswidget.h"

#include "files/pasta.h"
#include "ui/listanomes.h"

#include <QDir>
#include <QListWidget>

namespace pluvexa {

ListaArquivosWidget::ListaArquivosWidget(QListWidget* lista, QString mascara)
    : m_lista(lista), m_mascara(std::move(mascara))
{
    m_lista->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

QStringList ListaArquivosWidget::selecionados() const
{
    QStringList nomes;
    for (int i = 0; i < m_lista->count(); ++i)
        if (m_lista->item(i)->isSelected())
            nomes << m_lista->item(i)->text();
    return nomes;
}

void ListaArquivosWidget::mostra(const QString& pasta)
{
    m_pasta = QDir::fromNativeSeparators(pasta);
    // A folder that cannot be read (a disk taken out) lists nothing.
    QStringList nomes;
    listaArquivosPasta(m_pasta, {m_mascara}, nomes);
    m_lista->clear();
    m_lista->addItems(nomes);
    m_lista->setToolTip(QDir::toNativeSeparators(m_pasta));
    if (relida)
        relida();
}

void ListaArquivosWidget::rele()
{
    if (m_pasta.isEmpty())
        return;  // pointed at no folder yet
    QStringList nomes;
    listaArquivosPasta(m_pasta, {m_mascara}, nomes);
    trocaNomes(m_lista, nomes);
    if (relida)
        relida();
}

int ListaArquivosWidget::quantidade() const
{
    return m_lista->count();
}

}  // namespace pluvexa
