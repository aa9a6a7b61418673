#include "flows/arquivossalvos.h"
#include "flows/proximopasso.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace pluvexa {
namespace {

// The settings as a map the test reads.
struct MemoriaEmMapa {
    std::map<QString, QString> valores;
    ArquivosSalvos::Memoria memoria()
    {
        return {[this](const QString& c) { return valores.count(c) ? valores.at(c) : QString(); },
                [this](const QString& c, const QString& v) { valores[c] = v; }};
    }
};

constexpr TipoSalvo kTipos[] = {TipoSalvo::Listagem, TipoSalvo::Conferencia, TipoSalvo::Importacao,
                                TipoSalvo::Planilha, TipoSalvo::Historico};

class PastasPorTipo : public ::testing::TestWithParam<TipoSalvo> {
protected:
    QTemporaryDir documentos;
    QTemporaryDir escolhida;
    MemoriaEmMapa mapa;
};

TEST_P(PastasPorTipo, EachKindOpensWhereItsLastFileWentAndNoOtherKindMoves)
{
    const TipoSalvo tipo = GetParam();
    ArquivosSalvos salvos(mapa.memoria(), documentos.path());
    for (TipoSalvo t : kTipos)
        EXPECT_EQ(salvos.pastaInicial(t), documentos.path());

    salvos.registra(tipo, QDir::toNativeSeparators(escolhida.filePath(QStringLiteral("maio.pdf"))));
    for (TipoSalvo t : kTipos)
        EXPECT_EQ(salvos.pastaInicial(t), t == tipo ? escolhida.path() : documentos.path());
    EXPECT_EQ(mapa.valores.size(), 1u);
    EXPECT_EQ(mapa.valores.at(ArquivosSalvos::chave(tipo)), escolhida.path());

    // The next run reads it back from the settings.
    ArquivosSalvos depois(mapa.memoria(), documentos.path());
    EXPECT_EQ(depois.pastaInicial(tipo), escolhida.path());
    // Nothing is the last file of a run in which nothing was saved.
    EXPECT_TRUE(depois.ultimoArquivo().isEmpty());
    EXPECT_TRUE(depois.pastaUltimoArquivo().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Tipos, PastasPorTipo, ::testing::ValuesIn(kTipos));

TEST(ArquivosSalvos, EveryKindHasAKeyOfItsOwnUnderPastas)
{
    QStringList chaves;
    for (TipoSalvo t : kTipos) {
        EXPECT_TRUE(ArquivosSalvos::chave(t).startsWith(QStringLiteral("Pastas/")));
        chaves << ArquivosSalvos::chave(t);
    }
    chaves.removeDuplicates();
    EXPECT_EQ(chaves.size(), qsizetype(std::size(kTipos)));
}

TEST(ArquivosSalvos, AFolderNoLongerThereOrNotAFolderOpensTheDocumentsFolder)
{
    QTemporaryDir documentos;
    QTemporaryDir outra;
    const QString sumiu = outra.filePath(QStringLiteral("sumiu"));
    const QString arquivo = outra.filePath(QStringLiteral("arquivo.pdf"));
    {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    for (const QString& lembrada : {sumiu, arquivo, QStringLiteral("relativa/pasta")}) {
        MemoriaEmMapa mapa;
        mapa.valores[ArquivosSalvos::chave(TipoSalvo::Planilha)] = lembrada;
        EXPECT_EQ(ArquivosSalvos(mapa.memoria(), documentos.path()).pastaInicial(TipoSalvo::Planilha),
                  documentos.path())
            << lembrada.toStdString();
    }
    // Documents itself missing: the home folder, never the process's
    // current (working) folder.
    EXPECT_EQ(ArquivosSalvos({}, sumiu).pastaInicial(TipoSalvo::Listagem), QDir::homePath());
}

TEST(ArquivosSalvos, TheLastFileSavedAndItsFolder)
{
    QTemporaryDir pasta;
    ArquivosSalvos salvos({}, pasta.path());
    const QString primeiro = QDir::toNativeSeparators(pasta.filePath(QStringLiteral("a.csv")));
    const QString segundo = QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/b.pdf"));
    salvos.registra(TipoSalvo::Planilha, primeiro);
    EXPECT_EQ(salvos.ultimoArquivo(), primeiro);
    EXPECT_EQ(salvos.pastaUltimoArquivo(), QDir::toNativeSeparators(pasta.path()));
    salvos.registra(TipoSalvo::Listagem, segundo);
    EXPECT_EQ(salvos.ultimoArquivo(), segundo);
    EXPECT_EQ(salvos.pastaUltimoArquivo(), QDir::toNativeSeparators(QDir::homePath()));
    // Without settings nothing outlives the run, and a kind still opens
    // where its last file went in it.
    EXPECT_EQ(salvos.pastaInicial(TipoSalvo::Planilha), pasta.path());
}

TEST(ArquivosSalvos, TheSavedFileIsNamedWithoutItsFolder)
{
    EXPECT_EQ(textoArquivoGravado(QDir::toNativeSeparators(QStringLiteral("/home/op/Documentos/Listagem 0007.pdf"))),
              QStringLiteral("Arquivo gravado: Listagem 0007.pdf"));
    EXPECT_EQ(textoArquivoGravado(QStringLiteral("valores .csv")), QStringLiteral("Arquivo gravado: valores .csv"));
}

TEST(ArquivosSalvos, TheProposedPathIsInTheKindsFolderNamedAfterTheFile)
{
    struct Caso {
        QString pasta, arquivo, padrao, extensao, esperado;
    };
    const QString docs = pastaDocumentos();
    for (const Caso& c : {
             Caso{"/srv/mes", "/x/PX_00123_0007_0412090830_1.rec", "Listagem", ".pdf",
                  "/srv/mes/PX_00123_0007_0412090830_1.pdf"},
             Caso{"/srv/mes", "", "Planilha", ".csv", "/srv/mes/Planilha.csv"},
             Caso{"", "/x/PX_1.rec", "Listagem", ".pdf", QDir(docs).filePath("PX_1.pdf")},
         })
        EXPECT_EQ(caminhoParaSalvar(c.pasta, c.arquivo, c.padrao, c.extensao), c.esperado)
            << c.arquivo.toStdString();
}

TEST(ProximoPasso, NamesTheAnswerItsFolderAndTheDiskTransfer)
{
    EXPECT_EQ(textoProximoPasso(QStringLiteral("PX_00123_0007_0412091530_2.REC"),
                                QStringLiteral("/home/op/Drovanti/Pluvexa/Gerados")),
              QStringLiteral("Resposta PX_00123_0007_0412091530_2.REC gravada em /home/op/Drovanti/Pluvexa/Gerados. "
                             "Próximo passo: Carga Arquivos, para copiar para o disco."));
}

}  // namespace
}  // namespace pluvexa
