#pragma once

// One desktop program per working root. Two programs on one root (a
// double-click too many, two operators on a shared folder) would save over
// each other's drafts and answers; so the first takes a lock file in the
// root ("pluvexa.lock") and a second one ends. A lock whose process is gone
// from this machine is taken over, and so is a regular file whose content
// is no lock (empty, garbage) once it is older than a starting program
// needs to write one. Anything else under the name (a folder, FIFO,
// device or link) is named as damaged: it never holds the start and is
// never read. When the first program runs as the same user, the second
// asks it to come to the front instead of showing a box (canal.h). The
// command line never takes the lock: its commands only add files, each in
// one step.

#include <QDateTime>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace pluvexa {

class InstanciaUnica : public QObject {
    Q_OBJECT
public:
    explicit InstanciaUnica(const QString& raiz, QObject* parent = nullptr);
    ~InstanciaUnica() override;

    // Takes the lock; true when this program may run. Otherwise, when the
    // holder answered on the local channel it was asked to come to the
    // front and mensagem() is empty; else mensagem() says who holds it,
    // that the lock is damaged, or why it could not be created.
    bool toma();
    QString mensagem() const { return m_mensagem; }
    QString caminho() const { return m_caminho; }
    // The local channel's name as QLocalServer takes it: a path in the
    // user's runtime folder when there is one (canal.h), else a bare name.
    QString nomeCanal() const;

    // Called when a second start asks this program to come to the front.
    std::function<void()> aoPedirFrente;

private:
    enum class Trava { Livre, Danificada, Recente };
    // Looks at what stands under the lock's name before Qt opens it, and
    // removes a regular file that is no lock and old enough.
    Trava examina();
    void abreCanal();
    bool pedeFrente() const;
    QString descreveDono(const QDateTime& desde) const;
    QString naoCriou() const;

    QString m_caminho;
    QLockFile m_trava;
    std::unique_ptr<QLocalServer> m_canal;
    QString m_mensagem;
};

}  // namespace pluvexa
