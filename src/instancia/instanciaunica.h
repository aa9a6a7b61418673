#pragma once

// One desktop program per working root. Two programs on one root (a
// double-click too many, two operators on a shared folder) would save over
// each other's drafts and answers; so the first takes a lock file in the
// root ("pluvexa.lock") and a second one ends. A lock whose process is gone
// from this machine is taken over. When the first program runs in the same
// user session, the second asks it to come to the front instead of showing
// a box. The command line never takes the lock: its commands only add
// files, each in one step.

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
    // front and mensagem() is empty; else mensagem() says who holds it.
    bool toma();
    QString mensagem() const { return m_mensagem; }
    QString caminho() const { return m_caminho; }

    // Called when a second start asks this program to come to the front.
    std::function<void()> aoPedirFrente;

private:
    QString nomeCanal() const;
    bool pedeFrente() const;
    QString descreveDono() const;

    QString m_caminho;
    QLockFile m_trava;
    std::unique_ptr<QLocalServer> m_canal;
    QString m_mensagem;
};

}  // namespace pluvexa
