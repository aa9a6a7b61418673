#include "transfer/arvorepastas.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTimer>

namespace pluvexa {

namespace {

// True when `caminho` is `pasta` or lies below it.
bool dentro(const QString& caminho, const QString& pasta)
{
    if (caminho == pasta)
        return true;
    const QString prefixo = pasta.endsWith(QLatin1Char('/')) ? pasta : pasta + QLatin1Char('/');
    return caminho.startsWith(prefixo);
}

}  // namespace

// Keeps the volume's folders and the folders above its root (so that the
// root has a place in the tree) and hides everything else.
class FiltroVolume : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void defineRaiz(const QString& raiz)
    {
        m_raiz = raiz;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int linha, const QModelIndex& pai) const override
    {
        const auto* modelo = static_cast<const QFileSystemModel*>(sourceModel());
        const QString caminho = modelo->filePath(modelo->index(linha, 0, pai));
        return dentro(caminho, m_raiz) || dentro(m_raiz, caminho);
    }

private:
    QString m_raiz;
};

ArvorePastas::ArvorePastas(QWidget* parent)
    : QTreeView(parent), m_modelo(new QFileSystemModel(this)), m_filtro(new FiltroVolume(this))
{
    m_modelo->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_modelo->setRootPath(QDir::rootPath());
    m_filtro->setSourceModel(m_modelo);
    // Connected before the view's selection model exists, so the flag is up
    // before that model moves the current entry away from a removed row.
    connect(m_filtro, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { m_removendo = true; });
    connect(m_filtro, &QAbstractItemModel::rowsRemoved, this, [this] {
        m_removendo = false;
        // No neighbour stands highlighted for a chosen folder that is gone.
        if (!QFileInfo(m_pasta).isDir()) {
            clearSelection();
            selectionModel()->clearCurrentIndex();
        }
    });
    // The model reads and sorts folders in the background; the chosen one
    // comes into view once the folder holding it is read and sorted (the
    // sort follows the reading on a timer of its own).
    connect(m_modelo, &QFileSystemModel::directoryLoaded, this, [this](const QString& lida) {
        const QString pasta = QDir::cleanPath(lida);
        if (!m_rolar || !dentro(m_pasta, pasta))
            return;
        const bool ultima = pasta == QFileInfo(m_pasta).absolutePath() || pasta == m_pasta;
        QTimer::singleShot(50, this, [this, ultima] {
            if (!m_rolar)
                return;
            m_rolar = !posiciona() || !ultima;
        });
    });
    setModel(m_filtro);
    for (int coluna = 1; coluna < m_modelo->columnCount(); ++coluna)
        hideColumn(coluna);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ArvorePastas::mostraVolume(const QString& raiz, const QString& pasta)
{
    const QString base = QDir::fromNativeSeparators(raiz);
    m_filtro->defineRaiz(QDir::cleanPath(base));
    const QModelIndex topo = m_filtro->mapFromSource(m_modelo->index(base));
    setRootIndex(topo.parent());
    const QString escolhida = QDir::fromNativeSeparators(pasta);
    escolhe(!escolhida.isEmpty() && dentro(QDir::cleanPath(escolhida), QDir::cleanPath(base)) ? escolhida : base);
}

bool ArvorePastas::posiciona()
{
    const QModelIndex indice = m_filtro->mapFromSource(m_modelo->index(m_pasta));
    if (!indice.isValid())
        return false;
    for (QModelIndex acima = indice.parent(); acima.isValid(); acima = acima.parent())
        expand(acima);
    setCurrentIndex(indice);
    scrollTo(indice, QAbstractItemView::PositionAtCenter);
    return true;
}

void ArvorePastas::escolhe(const QString& pasta)
{
    // Also when the view cannot show it yet: the folder is the one asked for.
    const QString escolhida = QDir::cleanPath(pasta);
    const bool mudou = m_pasta != escolhida;
    m_pasta = escolhida;
    m_rolar = true;
    posiciona();
    if (mudou)
        emit pastaMudou(m_pasta);
}

void ArvorePastas::showEvent(QShowEvent* event)
{
    QTreeView::showEvent(event);
    if (currentIndex().isValid())
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

void ArvorePastas::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    if (m_removendo || !current.isValid())
        return;
    const QString caminho = QDir::cleanPath(m_modelo->filePath(m_filtro->mapToSource(current)));
    if (caminho != m_pasta) {
        m_rolar = false;  // the operator chose: the tree stays where it is
        m_pasta = caminho;
        emit pastaMudou(m_pasta);
    }
}

}  // namespace pluvexa
