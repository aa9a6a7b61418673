#include "files/arquivoseguro.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::grava;
using test::le;

// The names of `pasta` that look like the layer's temporaries.
QStringList temporarios(const QString& pasta)
{
    static const QRegularExpression forma(QStringLiteral("^\\..*\\.[A-Za-z0-9]{6}\\.tmp$"));
    QStringList r;
    for (const QString& n : QDir(pasta).entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (forma.match(n).hasMatch())
            r << n;
    return r;
}

class ArquivoSeguro : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    // The layer's temporaries left in the folder.
    QStringList restos() const { return temporarios(dir.path()); }
};

TEST_F(ArquivoSeguro, WritesUnderANewHiddenTemporaryAndReplacesTheOldFileInOneStep)
{
    grava(path("a.REC"), "old");
    Gravacao g;
    ASSERT_TRUE(g.escreve(path("a.REC"), "new content"));
    ASSERT_EQ(restos().size(), 1);
    const QString tmp = restos().first();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\.a\\.REC\\.[A-Za-z0-9]{6}\\.tmp$")).match(tmp).hasMatch())
        << tmp.toStdString();
    EXPECT_EQ(le(path(tmp)), QByteArray("new content"));
    EXPECT_EQ(le(path("a.REC")), QByteArray("old"));  // untouched until confirmed
    ASSERT_TRUE(g.confirma()) << g.erro().toStdString();
    EXPECT_EQ(le(path("a.REC")), QByteArray("new content"));
    EXPECT_TRUE(restos().isEmpty()) << restos().join(' ').toStdString();
}

TEST_F(ArquivoSeguro, TheFirstFileOfAGroupAppearsLastAndAFailedWriterLeavesNothing)
{
    {
        FalhasArquivo contador;
        Gravacao g;
        ASSERT_TRUE(g.produz(path("x.REC"), [](const QString& parte) {
            QFile f(parte);
            return f.open(QIODevice::WriteOnly) && f.write("rec") == 3;
        }));
        ASSERT_TRUE(g.escreve(path("x.LOG"), "log"));
        ASSERT_TRUE(g.confirma());
        const QStringList passos = contador.registro().filter(QStringLiteral("rename "));
        ASSERT_EQ(passos.size(), 2);
        EXPECT_TRUE(passos[0].endsWith(QStringLiteral("x.LOG")));
        EXPECT_TRUE(passos[1].endsWith(QStringLiteral("x.REC")));
    }
    Gravacao falhada;
    EXPECT_FALSE(falhada.produz(path("y.REC"), [](const QString& parte) {
        QFile f(parte);
        return f.open(QIODevice::WriteOnly) && f.write("half") < 0;
    }));
    EXPECT_FALSE(falhada.confirma());
    EXPECT_TRUE(falhada.erro().contains(QStringLiteral("/.y.REC."))) << falhada.erro().toStdString();
    EXPECT_FALSE(QFile::exists(path("y.REC")));
    EXPECT_TRUE(restos().isEmpty());
}

TEST_F(ArquivoSeguro, OnlyDurableFilesAreFlushedWithTheirFolder)
{
    auto passos = [&](Durabilidade d) {
        FalhasArquivo contador;
        EXPECT_TRUE(gravaArquivo(path("f"), "x", d));
        return contador.registro();
    };
    const QStringList comum = passos(Durabilidade::Comum);
    const QStringList duravel = passos(Durabilidade::Duravel);
    EXPECT_EQ(comum.filter(QStringLiteral("flush")).size(), 0);
    EXPECT_EQ(duravel.filter(QStringLiteral("flush ")).size(), 2);  // the file, then its folder
    EXPECT_EQ(duravel.filter(QStringLiteral("flush folder ")).size(), 1);
    EXPECT_EQ(duravel.size(), comum.size() + 2);
}

// A group of files, some replacing older ones, with each of its operations
// failed in turn: afterwards every final name holds either all the old
// contents or all the new ones, never a mixture, and no part is left.
struct CasoGrupo {
    const char* nome;
    Durabilidade durabilidade;
    bool antigos;  // the finals exist before
    int arquivos;
};

class FalhaEmCadaPasso : public ArquivoSeguro, public ::testing::WithParamInterface<CasoGrupo> {};

TEST_P(FalhaEmCadaPasso, LeavesAllOldOrAllNew)
{
    const CasoGrupo caso = GetParam();
    auto nome = [&](int i) { return path(QStringLiteral("f%1").arg(i)); };
    auto prepara = [&] {
        for (int i = 0; i < caso.arquivos; ++i) {
            QFile::remove(nome(i));
            if (caso.antigos)
                grava(nome(i), "old" + QByteArray::number(i));
        }
    };
    auto executa = [&] {
        Gravacao g(caso.durabilidade);
        bool ok = true;
        for (int i = 0; i < caso.arquivos; ++i)
            ok = g.escreve(nome(i), "new" + QByteArray::number(i)) && ok;
        return g.confirma() && ok;
    };
    auto estado = [&](const char* prefixo) {
        for (int i = 0; i < caso.arquivos; ++i)
            if (le(nome(i)) != QByteArray(prefixo) + QByteArray::number(i))
                return false;
        return true;
    };

    prepara();
    int total = 0;
    {
        FalhasArquivo contador;
        ASSERT_TRUE(executa());
        total = contador.operacoes();
    }
    ASSERT_TRUE(estado("new"));
    ASSERT_GE(total, caso.arquivos * 2);

    for (int n = 1; n <= total; ++n) {
        prepara();
        FalhasArquivo falhas(n);
        const bool ok = executa();
        ASSERT_TRUE(falhas.falhou()) << "operation " << n;
        const bool antigo = caso.antigos ? estado("old") : [&] {
            for (int i = 0; i < caso.arquivos; ++i)
                if (QFile::exists(nome(i)))
                    return false;
            return true;
        }();
        EXPECT_TRUE(antigo || estado("new")) << caso.nome << ": failing " << falhas.registro()[n - 1].toStdString();
        if (antigo) {
            EXPECT_FALSE(ok) << "a failure that kept the old files must be reported";
        }
        EXPECT_TRUE(restos().isEmpty()) << restos().join(' ').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grupos, FalhaEmCadaPasso,
    ::testing::Values(CasoGrupo{"one new durable file", Durabilidade::Duravel, false, 1},
                      CasoGrupo{"one replacing durable file", Durabilidade::Duravel, true, 1},
                      CasoGrupo{"two new durable files", Durabilidade::Duravel, false, 2},
                      CasoGrupo{"two replacing durable files", Durabilidade::Duravel, true, 2},
                      CasoGrupo{"three replacing plain files", Durabilidade::Comum, true, 3}),
    [](const auto& info) {
        std::string s = info.param.nome;
        for (char& c : s)
            if (c == ' ')
                c = '_';
        return s;
    });

TEST_F(ArquivoSeguro, RemoveMoveAndCopy)
{
    EXPECT_TRUE(removeArquivo(path("missing")));
    grava(path("a"), "abc");
    {
        FalhasArquivo falhas(1);
        QString erro;
        EXPECT_FALSE(removeArquivo(path("a"), &erro));
        EXPECT_TRUE(erro.contains(QDir::toNativeSeparators(path("a")))) << erro.toStdString();
        EXPECT_TRUE(QFile::exists(path("a")));
    }

    grava(path("b"), "taken");
    EXPECT_FALSE(moveArquivo(path("a"), path("b"), Durabilidade::Duravel));
    EXPECT_EQ(le(path("b")), QByteArray("taken"));  // never replaced
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    ASSERT_TRUE(moveArquivo(path("a"), path("sub/a"), Durabilidade::Duravel));
    EXPECT_FALSE(QFile::exists(path("a")));

    ASSERT_TRUE(copiaArquivo(path("sub/a"), path("b"), Durabilidade::Duravel));
    EXPECT_EQ(le(path("b")), QByteArray("abc"));
    EXPECT_EQ(le(path("sub/a")), QByteArray("abc"));
    QString erro;
    EXPECT_FALSE(copiaArquivo(path("nothing"), path("c"), Durabilidade::Comum, &erro));
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_FALSE(QFile::exists(path("c")));
    EXPECT_TRUE(restos().isEmpty());
}

TEST_F(ArquivoSeguro, AnUnwritableFolderIsReportedByName)
{
    QString erro;
    EXPECT_FALSE(gravaArquivo(path("no/such/folder/f"), "x", Durabilidade::Duravel, &erro));
    EXPECT_TRUE(erro.startsWith(QStringLiteral("Cannot create a temporary file for \"%1\". No such file")
                                    .arg(QDir::toNativeSeparators(path("no/such/folder/f")))))
        << erro.toStdString();
}

}  // namespace
}  // namespace pluvexa
