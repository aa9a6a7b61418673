#include "flows/descarterascunho.h"

#include <gtest/gtest.h>

namespace pluvexa {
namespace {

struct CasoNome {
    const char* nome;
    int empresa;  // -1: not read
    int remessa;
    const char* carimbo;  // "yyyy-MM-dd HH:mm", or "" when none
};

class NomeDeRecarga : public ::testing::TestWithParam<CasoNome> {};

TEST_P(NomeDeRecarga, ReadsCompanyBatchAndStamp)
{
    const CasoNome& c = GetParam();
    const NomeRecarga n = leNomeRecarga(QString::fromUtf8(c.nome));
    EXPECT_EQ(n.empresa.value_or(-1), c.empresa);
    EXPECT_EQ(n.remessa.value_or(-1), c.remessa);
    EXPECT_EQ(n.carimbo ? n.carimbo->toString("yyyy-MM-dd HH:mm") : QString(), QString::fromUtf8(c.carimbo));
}

INSTANTIATE_TEST_SUITE_P(
    Nomes, NomeDeRecarga,
    ::testing::Values(CasoNome{"PX_00123_0007_0412091530_2.REC", 123, 7, "2004-12-09 15:30"},
                      CasoNome{"px_00123_0007_2603011200_1.rec", 123, 7, "2026-03-01 12:00"},
                      CasoNome{"PX_00123_0007_0412091530_4.REC", 123, 7, "2004-12-09 15:30"},
                      // A stamp that is no date or no time: company and batch still count.
                      CasoNome{"PX_00123_0007_0413091530_2.REC", 123, 7, ""},
                      CasoNome{"PX_00123_0007_0412092460_2.REC", 123, 7, ""},
                      CasoNome{"PX_00123_0007_041209153_2.REC", -1, -1, ""},
                      CasoNome{"PX_notas_2.REC", -1, -1, ""}, CasoNome{"TMP1.REC", -1, -1, ""},
                      CasoNome{"PX_00123_0007_0412091530_2.REC.bak", -1, -1, ""}));

TEST(PerguntaDescarte, NamesTheBatchAndTheTimeOfTheDraftsName)
{
    const QDateTime arquivo(QDate(2030, 1, 2), QTime(3, 4));
    EXPECT_EQ(perguntaDescarteRascunho("PX_00123_0007_0412091530_2.REC", arquivo),
              "Descartar os valores do rascunho da remessa 0007 gravado em 09/12/2004 15:30?");
    // Without a stamp in its name the file's own time stands for it; without
    // a batch, the name itself.
    EXPECT_EQ(perguntaDescarteRascunho("PX_00123_0007_0499999999_2.REC", arquivo),
              "Descartar os valores do rascunho da remessa 0007 gravado em 02/01/2030 03:04?");
    EXPECT_EQ(perguntaDescarteRascunho("PX_notas_2.REC", arquivo),
              "Descartar os valores do rascunho da remessa PX_notas_2.REC gravado em 02/01/2030 03:04?");
    EXPECT_EQ(botoesDescarteRascunho(), (QStringList{"Descartar", "Continuar Alteração"}));
}

struct CasoDevolucao {
    const char* nome;
    const char* rascunho;
    QStringList processados;
    QStringList gerados;
    QStringList recebidos;
    const char* esperado;  // "" when none goes back
};

class Devolucao : public ::testing::TestWithParam<CasoDevolucao> {};

TEST_P(Devolucao, PicksTheNewestReceivedFileOfTheBatchOnlyWhenNothingWasAnswered)
{
    const CasoDevolucao& c = GetParam();
    EXPECT_EQ(recebidoADevolver(QString::fromUtf8(c.rascunho), c.processados, c.gerados, c.recebidos),
              QString::fromUtf8(c.esperado));
}

const char* const kRascunho = "PX_00123_0007_0412091530_2.REC";
const QString kFev = "PX_00123_0007_0412090830_1.rec";
const QString kMar = "PX_00123_0007_0412100830_1.rec";

INSTANTIATE_TEST_SUITE_P(
    Casos, Devolucao,
    ::testing::Values(
        CasoDevolucao{"Alone", kRascunho, {kFev}, {}, {}, "PX_00123_0007_0412090830_1.rec"},
        // The newest by its stamp, whatever the order or the letter case.
        CasoDevolucao{"Newest", kRascunho, {kMar, kFev}, {}, {}, "PX_00123_0007_0412100830_1.rec"},
        CasoDevolucao{"NewestUpperCase", kRascunho, {kFev, "PX_00123_0007_0412100830_1.REC"}, {}, {},
                      "PX_00123_0007_0412100830_1.REC"},
        // A name whose stamp is no date counts as oldest.
        CasoDevolucao{"StampNoDate", kRascunho, {"PX_00123_0007_0499999999_1.rec", kFev}, {}, {},
                      "PX_00123_0007_0412090830_1.rec"},
        // Other companies and batches, and files that are no received file, stay.
        CasoDevolucao{"OtherBatch", kRascunho, {"PX_00123_0008_0412100830_1.rec", "PX_00124_0007_0412100830_1.rec"},
                      {}, {}, ""},
        CasoDevolucao{"NotReceived", kRascunho, {"PX_00123_0007_0412100830_2.REC", "PX_00123_0007_x.txt"}, {}, {}, ""},
        // An answer of the batch, waiting or taken to the disk: the batch is answered.
        CasoDevolucao{"AnswerWaiting", kRascunho, {kFev}, {"PX_00123_0007_0412091400_2.REC"}, {}, ""},
        CasoDevolucao{"AnswerSent", kRascunho, {kFev}, {"PX_00123_0007_0412091400_4.rec"}, {}, ""},
        CasoDevolucao{"AnswerOfAnotherBatch", kRascunho, {kFev},
                      {"PX_00123_0006_0412091400_2.REC", "PX_00123_0007_0412091400_2.LOG"}, {},
                      "PX_00123_0007_0412090830_1.rec"},
        // Never over a file of the same name.
        CasoDevolucao{"SameNameWaiting", kRascunho, {kFev}, {}, {"px_00123_0007_0412090830_1.REC"}, ""},
        CasoDevolucao{"OtherNameWaiting", kRascunho, {kFev}, {}, {kMar}, "PX_00123_0007_0412090830_1.rec"},
        // A draft whose name tells no batch takes nothing back.
        CasoDevolucao{"DraftWithoutBatch", "PX_notas_2.REC", {kFev}, {}, {}, ""}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(NomeLivre, KeepsTheNameOrNumbersIt)
{
    EXPECT_EQ(nomeLivre("a_1.rec", {}), "a_1.rec");
    EXPECT_EQ(nomeLivre("a_1.rec", {"b_1.rec"}), "a_1.rec");
    EXPECT_EQ(nomeLivre("a_1.rec", {"A_1.REC"}), "a_1 (2).rec");
    EXPECT_EQ(nomeLivre("a_1.rec", {"a_1.rec", "a_1 (2).rec", "a_1 (3).REC"}), "a_1 (4).rec");
    EXPECT_EQ(nomeLivre("semextensao", {"semextensao"}), "semextensao (2)");
}

}  // namespace
}  // namespace pluvexa
