#include "support/incomuns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace pluvexa::test {

namespace {

const QByteArray kConteudoAlvo = "the link's target, untouched";

QByteArray nativo(const QString& p)
{
    return QFile::encodeName(p);
}

}  // namespace

void PrintTo(Incomum e, std::ostream* os)
{
    static const char* const nomes[] = {"folder", "device", "fifo", "link_to_dev_zero", "link"};
    *os << nomes[int(e)];
}

bool criaIncomum(Incomum e, const QString& caminho, QString* porque)
{
    int r = 0;
    switch (e) {
    case Incomum::Pasta:
        r = ::mkdir(nativo(caminho).constData(), 0755);
        break;
    case Incomum::Dispositivo:
        r = ::mknod(nativo(caminho).constData(), S_IFCHR | 0666, makedev(1, 3));
        break;
    case Incomum::Fifo:
        r = ::mkfifo(nativo(caminho).constData(), 0666);
        break;
    case Incomum::LigacaoZero:
        r = ::symlink("/dev/zero", nativo(caminho).constData());
        break;
    case Incomum::Ligacao: {
        QFile alvo(caminho + QStringLiteral(".alvo"));
        if (!alvo.open(QIODevice::WriteOnly) || alvo.write(kConteudoAlvo) != kConteudoAlvo.size())
            r = -1;
        alvo.close();
        if (r == 0)
            r = ::symlink(nativo(caminho + QStringLiteral(".alvo")).constData(), nativo(caminho).constData());
        break;
    }
    }
    if (r != 0 && porque)
        *porque = QString::fromLocal8Bit(std::strerror(errno));
    return r == 0;
}

bool aindaIncomum(Incomum e, const QString& caminho)
{
    struct stat st {};
    if (::lstat(nativo(caminho).constData(), &st) != 0)
        return false;
    switch (e) {
    case Incomum::Pasta:
        return S_ISDIR(st.st_mode);
    case Incomum::Dispositivo:
        return S_ISCHR(st.st_mode);
    case Incomum::Fifo:
        return S_ISFIFO(st.st_mode);
    case Incomum::LigacaoZero:
        return S_ISLNK(st.st_mode) && QFileInfo(caminho).symLinkTarget() == QStringLiteral("/dev/zero");
    case Incomum::Ligacao: {
        QFile alvo(caminho + QStringLiteral(".alvo"));
        return S_ISLNK(st.st_mode) && alvo.open(QIODevice::ReadOnly) && alvo.readAll() == kConteudoAlvo;
    }
    }
    return false;
}

}  // namespace pluvexa::test
