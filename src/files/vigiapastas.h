#pragma once

// Watches folders for files that appear or go, so that the lists showing
// them follow without the operator asking. A burst of changes (a copy, a
// rename over, a temporary file) comes as one `mudou`, once the burst is
// over and the event loop is free.

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace pluvexa {

class VigiaPastas final : public QObject {
    Q_OBJECT
public:
    explicit VigiaPastas(QObject* parent = nullptr);

    // Watches exactly these folders from now on (those that exist; a folder
    // made later is taken up by the next call).
    void vigia(const QStringList& pastas);
    QStringList vigiadas() const { return m_watcher.directories(); }

signals:
    void mudou();

private:
    QFileSystemWatcher m_watcher;
    QTimer m_juntaMudancas;
};

}  // namespace pluvexa
