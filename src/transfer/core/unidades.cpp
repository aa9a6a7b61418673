#include "transfer/core/unidades.h"

#include "files/arquivoseguro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace pluvexa {

namespace {

QString raizLimpa(const QString& raiz)
{
    return QDir::fromNativeSeparators(raiz);
}

// The canonical path of a folder, or its absolute path when it cannot be
// resolved.
QString caminhoReal(const QString& pasta)
{
    const QFileInfo info(pasta);
    const QString canonico = info.canonicalFilePath();
    return QDir::fromNativeSeparators(canonico.isEmpty() ? info.absoluteFilePath() : canonico);
}

// Whether the folder `raiz` contains `caminho` (both '/'-separated).
bool contem(const QString& raiz, const QString& caminho)
{
    if (raiz.endsWith(QLatin1Char('/')))
        return caminho.startsWith(raiz) || caminho + QLatin1Char('/') == raiz;
    return caminho == raiz || caminho.startsWith(raiz + QLatin1Char('/'));
}

#ifndef Q_OS_WIN
bool marcadoRemovivel(const QString& pastaSys)
{
    QFile f(pastaSys + QStringLiteral("/removable"));
    return f.open(QIODevice::ReadOnly) && f.read(1) == "1";
}
#endif

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

std::optional<Volume> volumeDoQt(const QStorageInfo& info)
{
    if (!info.isValid() || !info.isReady())
        return std::nullopt;
    const QString raiz = raizLimpa(info.rootPath());
    const QString nome = info.displayName();
    return Volume{raiz, nome == info.rootPath() || nome == raiz ? QString() : nome, removivel(info)};
}

class Sistema final : public FonteVolumes {
public:
    QList<Volume> montados() const override
    {
        QList<Volume> r;
        for (const QStorageInfo& info : QStorageInfo::mountedVolumes())
            if (const std::optional<Volume> v = volumeDoQt(info))
                r << *v;
        return r;
    }
    // Qt's own look-up also finds volumes its list leaves out (an overlay
    // root, whose device is no path).
    std::optional<Volume> volumeDe(const QString& pasta) const override
    {
        return volumeDoQt(QStorageInfo(pasta));
    }
};

Unidade unidadeDe(const Volume& volume)
{
    Unidade u;
    u.raiz = volume.raiz;
    u.removivel = volume.removivel;
    // A disk is known by its label ("PENDRIVE"); the mount point beside it
    // tells two disks of the same label apart.
    u.texto = textoUnidade(u.raiz);
    if (!volume.nome.isEmpty() && volume.nome != u.raiz)
        u.texto = volume.nome + QStringLiteral(" (") + u.texto + QLatin1Char(')');
    return u;
}

}  // namespace

std::optional<Volume> FonteVolumes::volumeDe(const QString& pasta) const
{
    const QString caminho = caminhoReal(pasta);
    std::optional<Volume> melhor;
    for (const Volume& v : montados())
        if (contem(v.raiz, caminho) && (!melhor || v.raiz.size() > melhor->raiz.size()))
            melhor = v;
    return melhor;
}

const FonteVolumes& volumesDoSistema()
{
    static const Sistema sistema;
    return sistema;
}

QList<Unidade> unidadesMontadas(const QString& pastaInicial, const FonteVolumes& fonte)
{
    QList<Unidade> unidades;
    auto acrescenta = [&](const Volume& volume) {
        if (!QFileInfo(volume.raiz).isDir())
            return;
        if (std::none_of(unidades.begin(), unidades.end(), [&](const Unidade& u) { return u.raiz == volume.raiz; }))
            unidades << unidadeDe(volume);
    };
    for (const Volume& volume : fonte.montados())
        acrescenta(volume);
    if (const std::optional<Volume> daPasta = fonte.volumeDe(pastaInicial))
        acrescenta(*daPasta);
    else
        acrescenta(Volume{raizPropria(pastaInicial), QString(), false});
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

QString raizDaUnidade(const QString& pasta, const FonteVolumes& fonte)
{
    if (const std::optional<Volume> volume = fonte.volumeDe(pasta))
        return volume->raiz;
    return raizPropria(pasta);
}

QString raizPropria(const QString& pasta)
{
    const QString caminho = caminhoReal(pasta);
#ifdef Q_OS_WIN
    if (caminho.size() >= 2 && caminho[1] == QLatin1Char(':'))
        return caminho.left(2) + QLatin1Char('/');
    return QDir::rootPath();
#else
    struct stat st {};
    if (::stat(caminhoSistema(caminho).c_str(), &st) != 0)
        return QStringLiteral("/");
    QString atual = caminho;
    while (atual != QLatin1String("/")) {
        const QString acima = QFileInfo(atual).path();
        struct stat sa {};
        if (::stat(caminhoSistema(acima).c_str(), &sa) != 0 || sa.st_dev != st.st_dev)
            break;
        atual = acima;
    }
    return atual;
#endif
}

}  // namespace pluvexa
