#include "files/vigiapastas.h"

#include <QDir>
#include <QFileInfo>

namespace pluvexa {

namespace {

// Long enough for the steps of one copy to come as one change, short
// enough to look immediate.
constexpr int kJuntaMudancasMs = 150;

}  // namespace

VigiaPastas::VigiaPastas(QObject* parent) : QObject(parent)
{
    m_juntaMudancas.setSingleShot(true);
    m_juntaMudancas.setInterval(kJuntaMudancasMs);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_juntaMudancas, qOverload<>(&QTimer::start));
    connect(&m_juntaMudancas, &QTimer::timeout, this, &VigiaPastas::mudou);
}

void VigiaPastas::vigia(const QStringList& pastas)
{
    QStringList novas;
    for (const QString& p : pastas) {
        const QString pasta = QDir::cleanPath(QDir::fromNativeSeparators(p));
        if (!pasta.isEmpty() && QFileInfo(pasta).isDir() && !novas.contains(pasta))
            novas << pasta;
    }
    QStringList sobram;
    for (const QString& p : m_watcher.directories())
        if (!novas.contains(p))
            sobram << p;
    if (!sobram.isEmpty())
        m_watcher.removePaths(sobram);
    QStringList faltam;
    for (const QString& p : novas)
        if (!m_watcher.directories().contains(p))
            faltam << p;
    if (!faltam.isEmpty())
        m_watcher.addPaths(faltam);
}

}  // namespace pluvexa
