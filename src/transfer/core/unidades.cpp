#include "transfer/core/unidades.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace pluvexa {

namespace {

QString raizLimpa(const QString& raiz)
{
    return QDir::fromNativeSeparators(raiz);
}

bool marcadoRemovivel(const QString& pastaSys)
{
    QFile f(pastaSys + QStringLiteral("/removable"));
    return f.open(QIODevice::ReadOnly) && f.read(1) == "1";
}

bool removivel(const QStorageInfo& volume)
{
#ifdef Q_OS_WIN
    const QString raiz = QDir::toNativeSeparators(volume.rootPath());
    return GetDriveTypeW(reinterpret_cast<LPCWSTR>(raiz.utf16())) == DRIVE_REMOVABLE;
#else
    const QString raiz = volume.rootPath();
    if (raiz.startsWith(QStringLiteral("/media/")) || raiz.startsWith(QStringLiteral("/run/media/")))
        return true;
    // A partition's own folder in sysfs has no flag; its disk, one level up, has.
    const QString dispositivo = QFileInfo(QString::fromLocal8Bit(volume.device())).fileName();
    if (dispositivo.isEmpty())
        return false;
    const QString sys = QFileInfo(QStringLiteral("/sys/class/block/") + dispositivo).canonicalFilePath();
    return !sys.isEmpty() && (marcadoRemovivel(sys) || marcadoRemovivel(QFileInfo(sys).absolutePath()));
#endif
}

Unidade unidadeDe(const QStorageInfo& volume)
{
    Unidade u;
    u.raiz = raizLimpa(volume.rootPath());
    u.removivel = removivel(volume);
    u.texto = textoUnidade(u.raiz);
    const QString nome = volume.displayName();
    if (!nome.isEmpty() && nome != volume.rootPath() && nome != u.raiz)
        u.texto += QStringLiteral(" [") + nome + QLatin1Char(']');
    return u;
}

}  // namespace

QList<Unidade> unidadesMontadas(const QString& pastaInicial)
{
    QList<Unidade> unidades;
    auto acrescenta = [&](const QStorageInfo& volume) {
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir())
            return;
        const QString raiz = raizLimpa(volume.rootPath());
        if (std::none_of(unidades.begin(), unidades.end(), [&](const Unidade& u) { return u.raiz == raiz; }))
            unidades << unidadeDe(volume);
    };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        acrescenta(volume);
    acrescenta(QStorageInfo(pastaInicial));
    std::stable_sort(unidades.begin(), unidades.end(), [](const Unidade& a, const Unidade& b) {
        if (a.removivel != b.removivel)
            return a.removivel;
        return a.raiz < b.raiz;
    });
    return unidades;
}

QString textoUnidade(const QString& raiz)
{
#ifdef Q_OS_WIN
    return raizLimpa(raiz).left(2).toUpper();
#else
    return raizLimpa(raiz);
#endif
}

QString raizDaUnidade(const QString& pasta)
{
    const QStorageInfo volume(pasta);
    return volume.isValid() ? raizLimpa(volume.rootPath()) : QDir::rootPath();
}

}  // namespace pluvexa
