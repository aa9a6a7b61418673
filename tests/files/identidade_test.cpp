// A file's identity (device, number, kind, size, time of last write) and
// the check that the working folders are folders of their own.

#include "files/identidade.h"
#include "files/pastasdistintas.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace pluvexa {
namespace {

class Identidade : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    void grava(const QString& name, const QByteArray& data, QIODevice::OpenMode modo = QIODevice::WriteOnly)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(modo));
        ASSERT_EQ(f.write(data), data.size());
    }
};

TEST_F(Identidade, TellsEachKindAndFollowsLinksOnlyWhenAsked)
{
    grava("a", "abc");
    ASSERT_TRUE(QDir(dir.path()).mkdir("pasta"));
    ASSERT_TRUE(QFile::link(path("a"), path("ligacao")));
    ASSERT_TRUE(QFile::link(path("sumiu"), path("quebrada")));
    using T = IdentidadeArquivo::Tipo;
    struct Caso {
        const char* nome;
        T seguindo, semSeguir;
    };
    for (const Caso& c : {Caso{"a", T::Comum, T::Comum}, Caso{"pasta", T::Pasta, T::Pasta},
                          Caso{"ligacao", T::Comum, T::Ligacao}, Caso{"quebrada", T::Nenhum, T::Ligacao},
                          Caso{"nada", T::Nenhum, T::Nenhum}}) {
        EXPECT_EQ(identidadeArquivo(path(c.nome)).tipo, c.seguindo) << c.nome;
        EXPECT_EQ(identidadeArquivo(path(c.nome), Ligacoes::NaoSegue).tipo, c.semSeguir) << c.nome;
    }
#ifndef Q_OS_WIN
    EXPECT_EQ(identidadeArquivo(QStringLiteral("/dev/null")).tipo, T::Outro);
#endif
    EXPECT_EQ(identidadeArquivo(path("a")).tamanho, 3);
    EXPECT_TRUE(identidadeArquivo(path("ligacao")).mesmoObjeto(identidadeArquivo(path("a"))));
    EXPECT_FALSE(identidadeArquivo(path("nada")).mesmoObjeto(identidadeArquivo(path("nada"))));
}

// Each way a file under the same name stops being the file read.
TEST_F(Identidade, AFileReplacedRewrittenOrRetouchedIsAnotherFile)
{
    grava("r", "0123456789");
    const IdentidadeArquivo original = identidadeArquivo(path("r"));
    ASSERT_TRUE(original.existe());
    EXPECT_EQ(identidadeArquivo(path("r")), original);  // looked at again, nothing changed

    grava("r", "X", QIODevice::Append);
    const IdentidadeArquivo reescrito = identidadeArquivo(path("r"));
    EXPECT_TRUE(reescrito.mesmoObjeto(original));
    EXPECT_NE(reescrito, original);

    {
        QFile f(path("r"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    }
    const IdentidadeArquivo retocado = identidadeArquivo(path("r"));
    EXPECT_EQ(retocado.tamanho, reescrito.tamanho);
    EXPECT_NE(retocado, reescrito);

    grava("novo", "0123456789X");
    ASSERT_EQ(std::rename(QFile::encodeName(path("novo")).constData(), QFile::encodeName(path("r")).constData()), 0);
    const IdentidadeArquivo substituido = identidadeArquivo(path("r"));
    EXPECT_FALSE(substituido.mesmoObjeto(retocado));
    EXPECT_NE(substituido, retocado);
}

TEST_F(Identidade, FoldersThatAreOneAreNamedInTheirOrder)
{
    for (const char* p : {"Recebidos", "Gerados", "fora"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(p));
    ASSERT_TRUE(QFile::link(path("Gerados"), path("Rascunho")));
    ASSERT_TRUE(QFile::link(path("fora"), path("Processados")));
    ASSERT_TRUE(QFile::link(path("sumiu"), path("Historico")));
    grava("arquivo", "x");
    ASSERT_TRUE(QFile::link(path("arquivo"), path("Log")));
    const auto msg = [&](const char* a, const char* b) {
        return QStringLiteral("As pastas %1 e %2 são a mesma pasta. Nada foi lido ou gravado.")
            .arg(QDir::toNativeSeparators(path(a)), QDir::toNativeSeparators(path(b)));
    };
    EXPECT_EQ(recusaPastasRepetidas({path("Recebidos"), path("Gerados"), path("Rascunho")}),
              msg("Gerados", "Rascunho"));
    EXPECT_EQ(recusaPastasRepetidas({path("Rascunho"), path("Recebidos"), path("Gerados")}),
              msg("Rascunho", "Gerados"));
    EXPECT_EQ(recusaPastasRepetidas({path("Gerados"), path("Recebidos/../Gerados")}),
              msg("Gerados", "Recebidos/../Gerados"));
    // A link to a folder of its own, a missing folder twice, a file twice:
    // no folder is repeated.
    EXPECT_EQ(recusaPastasRepetidas({path("Recebidos"), path("Gerados"), path("Processados"), path("Historico"),
                                     path("nada"), path("nada"), path("Log"), path("arquivo")}),
              QString());
}

}  // namespace
}  // namespace pluvexa
