#include "instancia/instanciaunica.h"

#include "files/pastastrabalho.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHostInfo>
#include <QLocalSocket>

namespace pluvexa {

namespace {

const QByteArray kPedidoFrente = QByteArrayLiteral("frente\n");
constexpr int kEsperaCanalMs = 1000;

}  // namespace

InstanciaUnica::InstanciaUnica(const QString& raiz, QObject* parent)
    : QObject(parent), m_caminho(QDir(raiz).filePath(QStringLiteral("pluvexa.lock"))), m_trava(m_caminho)
{
    // Qt reads the holder's process, host and program from the file: a lock
    // left by a process that is gone from this machine is taken over.
    m_trava.setStaleLockTime(0);
}

InstanciaUnica::~InstanciaUnica() = default;

QString InstanciaUnica::nomeCanal() const
{
    // One channel per user and working root.
    const QByteArray chave = (QDir(m_caminho).absolutePath() + qEnvironmentVariable("USER")).toUtf8();
    return QStringLiteral("pluvexa-") + QString::fromLatin1(QCryptographicHash::hash(chave, QCryptographicHash::Sha1).toHex().left(16));
}

bool InstanciaUnica::pedeFrente() const
{
    QLocalSocket s;
    s.connectToServer(nomeCanal());
    if (!s.waitForConnected(kEsperaCanalMs))
        return false;
    s.write(kPedidoFrente);
    return s.waitForBytesWritten(kEsperaCanalMs);
}

QString InstanciaUnica::descreveDono() const
{
    qint64 pid = 0;
    QString maquina;
    QString programa;
    m_trava.getLockInfo(&pid, &maquina, &programa);
    const QString desde = QFileInfo(m_caminho).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    if (maquina.isEmpty() || maquina == QHostInfo::localHostName() || maquina == QSysInfo::machineHostName())
        return QStringLiteral("O Pluvexa já está aberto neste computador desde %1.").arg(desde);
    return QStringLiteral("O Pluvexa já está aberto no computador %1 desde %2. Se esse computador não usa mais o "
                          "Pluvexa, apague %3.")
        .arg(maquina, desde, caminhoVisivel(m_caminho));
}

bool InstanciaUnica::toma()
{
    m_mensagem.clear();
    QDir().mkpath(QFileInfo(m_caminho).absolutePath());
    if (!m_trava.tryLock(0)) {
        if (m_trava.error() == QLockFile::LockFailedError && pedeFrente())
            return false;
        m_mensagem = m_trava.error() == QLockFile::LockFailedError
                         ? descreveDono()
                         : QStringLiteral("Não foi possível criar a trava %1.").arg(caminhoVisivel(m_caminho));
        return false;
    }
    m_canal = std::make_unique<QLocalServer>();
    m_canal->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(nomeCanal());  // a channel left by a program that died
    if (m_canal->listen(nomeCanal())) {
        connect(m_canal.get(), &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = m_canal->nextPendingConnection()) {
                connect(s, &QLocalSocket::readyRead, this, [this, s] {
                    if (s->readAll().contains(kPedidoFrente.trimmed()) && aoPedirFrente)
                        aoPedirFrente();
                });
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    return true;
}

}  // namespace pluvexa
