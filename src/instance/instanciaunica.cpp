#include "instance/instanciaunica.h"

#include "files/arquivoseguro.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "instance/canal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHostInfo>
#include <QLocalSocket>

namespace pluvexa {

namespace {

const QByteArray kPedidoFrente = QByteArrayLiteral("frente\n");
constexpr int kEsperaCanalMs = 1000;
// QLockFile writes its holder in a few short lines; a larger file is no lock.
constexpr std::int64_t kMaiorTrava = 4 * 1024;
// QLockFile creates the file and writes it at once: a file that is no lock
// and older than this is not one being written, and is taken over.
constexpr qint64 kTravaSemDonoMs = 10 * 1000;
// Below this a socket path fits every system's address (108 bytes on
// Linux, 104 elsewhere).
constexpr qsizetype kMaiorCaminhoCanal = 100;

// What QLockFile takes for a lock when it reads one: the holder's process
// number (above 0) on the first line, then at least its program's.
bool ehTrava(const QByteArray& conteudo)
{
    const QList<QByteArray> linhas = conteudo.split('\n');
    bool ok = false;
    return linhas.size() >= 2 && linhas.at(0).toLongLong(&ok) > 0 && ok;
}

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
    const QString nome = QStringLiteral("pluvexa-")
                         + QString::fromLatin1(QCryptographicHash::hash(chave, QCryptographicHash::Sha1).toHex().left(16));
    // In the user's own runtime folder no one else can put a socket under
    // the name; elsewhere Qt puts it in the temporary folder.
    const QString pasta = canal::pastaDoUsuario();
    const QString caminho = pasta + QLatin1Char('/') + nome;
    if (pasta.isEmpty() || QFile::encodeName(caminho).size() >= kMaiorCaminhoCanal)
        return nome;
    return caminho;
}

bool InstanciaUnica::pedeFrente() const
{
    QLocalSocket s;
    s.connectToServer(nomeCanal());
    if (!s.waitForConnected(kEsperaCanalMs))
        return false;
    // Another user listening under the name is not the holder: the start
    // is not silenced, the lock is named.
    if (!canal::doMesmoUsuario(s.socketDescriptor()))
        return false;
    s.write(kPedidoFrente);
    return s.waitForBytesWritten(kEsperaCanalMs);
}

QString InstanciaUnica::descreveDono(const QDateTime& quando) const
{
    qint64 pid = 0;
    QString maquina;
    QString programa;
    m_trava.getLockInfo(&pid, &maquina, &programa);
    const QString desde = quando.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    if (maquina.isEmpty() || maquina == QHostInfo::localHostName() || maquina == QSysInfo::machineHostName())
        return QStringLiteral("O Pluvexa já está aberto neste computador desde %1.").arg(desde);
    return QStringLiteral("O Pluvexa já está aberto no computador %1 desde %2. Se esse computador não usa mais o "
                          "Pluvexa, apague %3.")
        .arg(maquina, desde, caminhoVisivel(m_caminho));
}

QString InstanciaUnica::naoCriou() const
{
    // QLockFile does not say why: a file made beside it through the file
    // layer, at once deleted, does.
    QString motivo;
    {
        const ArquivoTemporario prova(m_caminho);
        if (!prova.criado())
            motivo = QString::fromStdString(emPortugues(prova.falha().motivo));
    }
    if (motivo.isEmpty())
        motivo = m_trava.error() == QLockFile::PermissionError ? QStringLiteral("sem permissão")
                                                               : QStringLiteral("erro desconhecido");
    return QStringLiteral("Não foi possível criar a trava %1: %2.").arg(caminhoVisivel(m_caminho), motivo);
}

InstanciaUnica::Trava InstanciaUnica::examina()
{
    FalhaArquivo falha;
    switch (conferePropria(m_caminho, kMaiorTrava, &falha)) {
    case natureza::Estado::Ausente:
        return Trava::Livre;
    case natureza::Estado::NaoComum:
        return Trava::Danificada;
    case natureza::Estado::Inacessivel:
        // Refused by the system (another user's file, one held open on
        // Windows): QLockFile's to judge. Larger than any lock: no lock.
        if (falha.motivo.codigo != 0)
            return Trava::Livre;
        break;
    case natureza::Estado::Aceito: {
        QByteArray conteudo;
        if (!leArquivo(m_caminho, Leitura::propria(kMaiorTrava), conteudo) || ehTrava(conteudo))
            return Trava::Livre;
        break;
    }
    }
    // A regular file that is no lock: being written by a program starting
    // now, or left so. Qt would keep every start out for good.
    const QFileInfo antes(m_caminho);
    const QDateTime quando = antes.lastModified();
    if (!quando.isValid() || qAbs(quando.msecsTo(QDateTime::currentDateTime())) < kTravaSemDonoMs)
        return Trava::Recente;
    // Removed only while it still is the file judged (a program taking the
    // lock meanwhile changes it).
    const QFileInfo agora(m_caminho);
    if (agora.lastModified() != quando || agora.size() != antes.size() || agora.isSymLink() || !agora.isFile())
        return Trava::Recente;
    return removeArquivo(m_caminho) ? Trava::Livre : Trava::Danificada;
}

void InstanciaUnica::abreCanal()
{
    m_canal = std::make_unique<QLocalServer>();
    m_canal->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(nomeCanal());  // a channel left by a program that died
    if (!m_canal->listen(nomeCanal()))
        return;
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

bool InstanciaUnica::toma()
{
    m_mensagem.clear();
    if (!QDir().mkpath(QFileInfo(m_caminho).absolutePath())) {
        m_mensagem = naoCriou();
        return false;
    }
    // A holder that ends while it is described leaves no date to show: the
    // lock is looked at again.
    for (int tentativa = 0; tentativa < 3; ++tentativa) {
        const Trava trava = examina();
        if (trava == Trava::Danificada) {
            m_mensagem = QStringLiteral("O arquivo de trava %1 está danificado. Se o Pluvexa não está aberto em "
                                        "nenhum computador, apague-o.")
                             .arg(caminhoVisivel(m_caminho));
            return false;
        }
        if (trava == Trava::Livre) {
            if (m_trava.tryLock(0)) {
                abreCanal();
                return true;
            }
            if (m_trava.error() != QLockFile::LockFailedError) {
                m_mensagem = naoCriou();
                return false;
            }
        }
        if (pedeFrente())
            return false;
        if (const QDateTime desde = QFileInfo(m_caminho).lastModified(); desde.isValid()) {
            m_mensagem = descreveDono(desde);
            return false;
        }
    }
    m_mensagem = descreveDono(QDateTime::currentDateTime());
    return false;
}

}  // namespace pluvexa
