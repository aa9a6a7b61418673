// The drive list from a given mount list: the starting folder is always on a
// drive of the list, by its listed volume or, when the list lacks it (a
// chroot's mount list), by the folder's own root.

#include "transfer/core/unidades.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace pluvexa {
namespace {

class ListaFixa final : public FonteVolumes {
public:
    explicit ListaFixa(QList<Volume> v) : m_volumes(std::move(v)) {}
    QList<Volume> montados() const override { return m_volumes; }

private:
    QList<Volume> m_volumes;
};

struct VolumeListado {
    const char* raiz;  // below the test's folder; "" for none
    const char* nome;
    bool removivel;
};

struct CasoLista {
    const char* nome;
    std::vector<VolumeListado> montados;
    const char* inicio;           // the starting folder, below the test's folder
    const char* raiz;             // its drive below the test's folder; nullptr: its own root
    // The drive list's texts: below the test's folder, "*" the own root; a
    // text with "@" is taken whole, "@" standing for the test's folder.
    std::vector<const char*> lista;
};

class ListaDeUnidades : public ::testing::TestWithParam<CasoLista> {
protected:
    void SetUp() override
    {
        for (const char* p : {"media/PENDRIVE", "casa/ana/lote", "cas", "dados"})
            ASSERT_TRUE(QDir(mundo.path()).mkpath(QString::fromLatin1(p)));
    }
    QString em(const char* relativo) const
    {
        return QFileInfo(mundo.path()).canonicalFilePath() + QLatin1Char('/') + QString::fromLatin1(relativo);
    }
    QTemporaryDir mundo;
};

TEST_P(ListaDeUnidades, TheStartingFolderIsOnADriveOfTheList)
{
    const CasoLista& c = GetParam();
    QList<Volume> volumes;
    for (const VolumeListado& v : c.montados)
        volumes << Volume{em(v.raiz), QString::fromUtf8(v.nome), v.removivel};
    const ListaFixa fonte(volumes);
    const QString inicio = em(c.inicio);
    const QString propria = raizPropria(inicio);

    const QString raiz = raizDaUnidade(inicio, fonte);
    EXPECT_EQ(raiz, c.raiz ? em(c.raiz) : propria);
    QStringList textos;
    QStringList raizes;
    for (const Unidade& u : unidadesMontadas(inicio, fonte)) {
        textos << u.texto;
        raizes << u.raiz;
    }
    QStringList esperados;
    for (const char* t : c.lista) {
        const QString texto = QString::fromUtf8(t);
        esperados << (texto == QLatin1String("*")      ? propria
                      : texto.contains(QLatin1Char('@')) ? QString(texto).replace(QLatin1Char('@'), em(""))
                                                         : em(t));
    }
    EXPECT_EQ(textos, esperados);
    EXPECT_TRUE(raizes.contains(raiz)) << raizes.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Unidades, ListaDeUnidades,
    ::testing::Values(
        // A chroot: the list names only what is mounted inside it.
        CasoLista{"ListLacksTheStartingFoldersVolume", {{"dados", "", false}}, "casa/ana", nullptr, {"*", "dados"}},
        CasoLista{"EmptyList", {}, "casa/ana/lote", nullptr, {"*"}},
        CasoLista{"ListHasTheStartingFoldersVolume",
                  {{"casa", "CASA", false}, {"media/PENDRIVE", "PENDRIVE", true}},
                  "casa/ana",
                  "casa",
                  {"PENDRIVE (@media/PENDRIVE)", "CASA (@casa)"}},
        // Removable disks before the other places, by label and mount point
        // when they have a label, by mount point alone otherwise.
        CasoLista{"RemovableDisksComeFirstLabelledOrNot",
                  {{"dados", "DADOS", false}, {"media/PENDRIVE", "", true}, {"casa", "BACKUP", true}},
                  "dados",
                  "dados",
                  {"BACKUP (@casa)", "media/PENDRIVE", "DADOS (@dados)"}},
        CasoLista{"TheLongestListedRootWins", {{"", "", false}, {"casa", "", false}}, "casa/ana/lote", "casa", {"", "casa"}},
        CasoLista{"APrefixOfTheNameIsNoFolderAboveIt", {{"cas", "", false}}, "casa/ana", nullptr, {"*", "cas"}},
        CasoLista{"TheStartingFolderItselfMayBeTheRoot", {{"casa/ana", "", false}}, "casa/ana", "casa/ana", {"casa/ana"}},
        CasoLista{"ARootThatIsNoFolderIsLeftOut", {{"sumiu", "", false}}, "dados", nullptr, {"*"}},
        CasoLista{"ARootListedTwiceIsOneDrive", {{"dados", "", false}, {"dados", "", false}}, "dados", "dados", {"dados"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Unidades, AFolderReachedThroughALinkIsOnTheVolumeOfItsTarget)
{
    QTemporaryDir mundo;
    const QString base = QFileInfo(mundo.path()).canonicalFilePath();
    ASSERT_TRUE(QDir(base).mkpath(QStringLiteral("vol/pasta")));
    if (!QFile::link(base + QStringLiteral("/vol/pasta"), base + QStringLiteral("/atalho")))
        GTEST_SKIP() << "no symbolic links here";
    const ListaFixa fonte({Volume{base + QStringLiteral("/vol"), QString(), false}});
    EXPECT_EQ(raizDaUnidade(base + QStringLiteral("/atalho"), fonte), base + QStringLiteral("/vol"));
}

#ifndef Q_OS_WIN
// The own root is found from the file system alone: an ancestor of the
// folder on its device, whose own parent is on another device (or which is
// "/").
TEST(Unidades, TheOwnRootIsTheTopmostFolderOnTheSameDevice)
{
    QStringList pastas = {QDir::currentPath(), QDir::tempPath()};
    for (const QString& p : {QStringLiteral("/dev/shm"), QStringLiteral("/proc/self"), QStringLiteral("/sys/kernel")})
        if (QFileInfo(p).isDir())
            pastas << p;
    auto dispositivo = [](const QString& p) {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(p).constData(), &st), 0) << p.toStdString();
        return st.st_dev;
    };
    for (const QString& p : pastas) {
        const QString canonico = QFileInfo(p).canonicalFilePath();
        const QString raiz = raizPropria(p);
        EXPECT_TRUE(raiz == QLatin1String("/") || canonico == raiz || canonico.startsWith(raiz + QLatin1Char('/')))
            << p.toStdString() << " -> " << raiz.toStdString();
        EXPECT_EQ(dispositivo(raiz), dispositivo(canonico)) << p.toStdString();
        if (raiz != QLatin1String("/"))
            EXPECT_NE(dispositivo(QFileInfo(raiz).path()), dispositivo(raiz)) << p.toStdString();
    }
    EXPECT_EQ(raizPropria(QStringLiteral("/no/such/folder")), QStringLiteral("/"));
}
#endif

}  // namespace
}  // namespace pluvexa
