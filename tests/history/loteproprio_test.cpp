// The history folder's files are the program's own: a kept batch or the
// summary that is no regular file is refused unread (a FIFO never holds the
// listing, a link to /dev/zero never feeds it), and a batch found damaged
// enters the summary with its reason and is not read again until it
// changes. The command line's listing never reads nor writes the summary.

#include "history/core/historico.h"
#include "history/core/indicehistorico.h"

#include "central/dadosdemo.h"
#include "support/arquivosteste.h"
#include "support/incomuns.h"
#include "support/loteguardado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Incomum;

const QString kBom = QStringLiteral("PX_00123_0007_2611101530_2.HIS");
const QString kEstranho = QStringLiteral("PX_00123_0008_2612101530_2.HIS");

class Historico : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(historico()));
        ASSERT_TRUE(QDir().mkpath(gerados()));
        ModeloRecarga m;
        DemoOptions o;
        o.holders = 4;
        geraModeloDemo(m, o, QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
        test::grava(em(kBom), test::loteGuardado(m, kBom, QDateTime(QDate(2026, 11, 10), QTime(15, 30))));
    }

    QString historico() const { return dir.filePath(QStringLiteral("Historico")); }
    QString gerados() const { return dir.filePath(QStringLiteral("Gerados")); }
    QString em(const QString& nome) const { return QDir(historico()).filePath(nome); }
    QString resumo() const { return em(IndiceHistorico::kNome); }

    std::vector<LoteHistorico> lista(Resumo r) const { return listaHistorico(historico(), gerados(), r); }

    QTemporaryDir dir;
};

// What a listing shows of each batch.
QStringList vistos(const std::vector<LoteHistorico>& lotes)
{
    QStringList out;
    for (const LoteHistorico& l : lotes)
        out << QStringLiteral("%1 %2 %3 [%4]")
                   .arg(QFileInfo(l.caminho).fileName())
                   .arg(l.titularesComValor)
                   .arg(l.totalCreditos)
                   .arg(l.motivo);
    return out;
}

class LoteIncomum : public Historico, public ::testing::WithParamInterface<Incomum> {};

TEST_P(LoteIncomum, IsListedAsNoRegularFileAndNeverSummarised)
{
    QString porque;
    if (!test::criaIncomum(GetParam(), em(kEstranho), &porque))
        GTEST_SKIP() << "cannot make it here: " << porque.toStdString();
    for (const Resumo r : {Resumo::Ignora, Resumo::Usa, Resumo::Usa}) {
        const std::vector<LoteHistorico> lotes = lista(r);
        ASSERT_EQ(lotes.size(), 2u);
        EXPECT_EQ(QFileInfo(lotes[0].caminho).fileName(), kEstranho);
        EXPECT_EQ(lotes[0].erro, QStringLiteral("\"%1\" is not a regular file").arg(QDir::toNativeSeparators(em(kEstranho))));
        EXPECT_EQ(lotes[0].motivo, QStringLiteral("não é um arquivo comum"));
        EXPECT_TRUE(lotes[1].erro.isEmpty()) << lotes[1].erro.toStdString();
    }
    EXPECT_FALSE(test::le(resumo()).contains(kEstranho.toUtf8()));
    EXPECT_TRUE(test::aindaIncomum(GetParam(), em(kEstranho)));
}

// The folder is no file and is not listed at all.
INSTANTIATE_TEST_SUITE_P(Historico, LoteIncomum,
                         ::testing::Values(Incomum::Dispositivo, Incomum::Fifo, Incomum::LigacaoZero,
                                           Incomum::Ligacao));

// The summary in place of a cache gives what reading every batch gives,
// and what is not a regular file is left as it was.
class ResumoIncomum : public Historico, public ::testing::WithParamInterface<Incomum> {};

TEST_P(ResumoIncomum, CostsOnlySpeed)
{
    QString porque;
    if (!test::criaIncomum(GetParam(), resumo(), &porque))
        GTEST_SKIP() << "cannot make it here: " << porque.toStdString();
    const QStringList inteiros = vistos(lista(Resumo::Ignora));
    EXPECT_EQ(vistos(lista(Resumo::Usa)), inteiros);
    EXPECT_EQ(vistos(lista(Resumo::Usa)), inteiros);
    EXPECT_TRUE(test::aindaIncomum(GetParam(), resumo()));
}

INSTANTIATE_TEST_SUITE_P(Historico, ResumoIncomum,
                         ::testing::Values(Incomum::Pasta, Incomum::Dispositivo, Incomum::Fifo, Incomum::LigacaoZero,
                                           Incomum::Ligacao));

TEST_F(Historico, ASummaryLargerThanAnyOfOursIsNotReadButRewritten)
{
    lista(Resumo::Usa);
    QByteArray grande = test::le(resumo());
    // An entry that would lie about the batch, beyond the limit.
    const QFileInfo bom(em(kBom));
    grande += kBom.toUtf8() + '\t' + QByteArray::number(bom.size()) + '\t'
              + QByteArray::number(bom.lastModified().toMSecsSinceEpoch()) + "\t777\t1\t2\n";
    grande += QByteArray(4 * 1024 * 1024, '#');
    test::grava(resumo(), grande);
    const std::vector<LoteHistorico> lotes = lista(Resumo::Usa);
    ASSERT_EQ(lotes.size(), 1u);
    EXPECT_NE(lotes[0].titularesComValor, 777);
    EXPECT_LT(QFileInfo(resumo()).size(), 4 * 1024);
}

void poeHora(const QString& caminho, const QDateTime& quando)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(quando, QFileDevice::FileModificationTime));
}

TEST_F(Historico, ADamagedBatchIsReadOnceUntilItChanges)
{
    // Codes never defined, as many bytes as the good batch holds.
    const QByteArray bom = test::le(em(kBom));
    test::grava(em(kEstranho), QByteArray(bom.size(), '\x80'));
    const QDateTime quando = QDateTime::currentDateTime().addSecs(-60);
    poeHora(em(kEstranho), quando);
    const QString naoExpande = QStringLiteral("não pôde ser descompactado");

    std::vector<LoteHistorico> lotes = lista(Resumo::Usa);
    ASSERT_EQ(lotes.size(), 2u);
    EXPECT_EQ(lotes[0].motivo, naoExpande);
    const QString erro = lotes[0].erro;
    EXPECT_EQ(erro, QStringLiteral("%1 does not expand: not a kept batch").arg(QDir::toNativeSeparators(em(kEstranho))));
    EXPECT_TRUE(test::le(resumo()).contains(naoExpande.toUtf8()));

    // A good batch of the same size and time put in its place: the summary
    // speaks for it, the file is not read again.
    test::grava(em(kEstranho), bom);
    poeHora(em(kEstranho), quando);
    lotes = lista(Resumo::Usa);
    EXPECT_EQ(lotes[0].motivo, naoExpande);
    EXPECT_EQ(lotes[0].erro, erro);
    // Reading every batch (the command line) tells what it holds now.
    EXPECT_TRUE(lista(Resumo::Ignora)[0].erro.isEmpty());

    // Changed (another time): read again, listed with its totals, and
    // summarised anew.
    poeHora(em(kEstranho), quando.addSecs(1));
    lotes = lista(Resumo::Usa);
    EXPECT_TRUE(lotes[0].erro.isEmpty() && lotes[0].motivo.isEmpty()) << lotes[0].erro.toStdString();
    EXPECT_FALSE(test::le(resumo()).contains(naoExpande.toUtf8()));
    EXPECT_EQ(vistos(lista(Resumo::Usa)), vistos(lista(Resumo::Ignora)));
}

// A link put in the place of a batch the summary knows is not taken from
// the summary: read, it is refused.
TEST_F(Historico, ALinkInABatchsPlaceIsNeverTakenFromTheSummary)
{
    lista(Resumo::Usa);
    const QString alvo = dir.filePath(QStringLiteral("copia.HIS"));
    ASSERT_TRUE(QFile::rename(em(kBom), alvo));
    ASSERT_TRUE(QFile::link(alvo, em(kBom)));
    const std::vector<LoteHistorico> lotes = lista(Resumo::Usa);
    ASSERT_EQ(lotes.size(), 1u);
    EXPECT_EQ(lotes[0].motivo, QStringLiteral("não é um arquivo comum"));
}

TEST_F(Historico, TheCommandLinesListingNeverWritesTheSummary)
{
    test::grava(em(kEstranho), "damaged");
    lista(Resumo::Ignora);
    EXPECT_FALSE(QFileInfo::exists(resumo()));
}

// A batch the user names may be a link to one; one of the folder may not.
TEST_F(Historico, OnlyABatchTheUserNamesIsFollowedThroughALink)
{
    const QString ligacao = dir.filePath(QStringLiteral("ligado.HIS"));
    ASSERT_TRUE(QFile::link(em(kBom), ligacao));
    ModeloRecarga m;
    QString erro;
    QString motivo;
    EXPECT_FALSE(carregaHistorico(ligacao, m, erro, &motivo));
    EXPECT_EQ(motivo, QStringLiteral("não é um arquivo comum"));
    EXPECT_TRUE(carregaHistorico(ligacao, m, erro, nullptr, Ligacao::Segue)) << erro.toStdString();
    EXPECT_GT(m.QtdRecarga, 0);
}

}  // namespace
}  // namespace pluvexa
