// The import run: matching records to holders, storing or refusing their
// values, and the result lines of the refused ones.

#include "files/arquivoseguro.h"
#include "importfixture.h"

#include <QDir>
#include <QFile>

namespace pluvexa {
namespace {

using namespace test;

struct CasoRegistro {
    const char* nome;
    std::string linha;
    int tipoCartaoSel;
    int titular;         // the holder whose group 1 takes the value; -1: none
    double valor;        // the value it takes
    const char* erro;    // the result line's message when refused
};

class UmRegistro : public ImportFixture, public ::testing::WithParamInterface<CasoRegistro> {};

TEST_P(UmRegistro, StoresOrRefuses)
{
    const CasoRegistro& c = GetParam();
    const bool ok = importa({c.linha}, c.tipoCartaoSel);
    EXPECT_EQ(ok, c.titular >= 0);
    EXPECT_EQ(run().TotalOk, c.titular >= 0 ? 1 : 0);
    EXPECT_EQ(run().TotalErros, c.titular >= 0 ? 0 : 1);
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), t == c.titular ? c.valor : 0.0) << "holder " << t;
    if (c.titular >= 0) {
        EXPECT_TRUE(run().linhasResultado().isEmpty());
    } else {
        ASSERT_EQ(run().linhasResultado().size(), 1);
        EXPECT_TRUE(run().linhasResultado()[0].endsWith(QString::fromUtf8(c.erro)))
            << run().linhasResultado()[0].toStdString();
    }
}

const char* const kNaoEncontrada = "Matrícula não encontrada";
const char* const kErroValor = "Erro na atualização do valor da recarga";
const char* const kExcede = "O valor da recarga excede 600.00";

INSTANTIATE_TEST_SUITE_P(
    Regras, UmRegistro,
    ::testing::Values(
        CasoRegistro{"NoTypeMatchesTheSelectedMoneyType", registro("M001", "12,50"), 1, M001Dinheiro, 12.5, ""},
        CasoRegistro{"NoTypeMatchesTheSelectedCreditType", registro("M001", "12,00"), 2, M001Creditos, 12, ""},
        CasoRegistro{"OwnTypeWhateverIsSelected", registro("M002", "30,00", "02"), 1, M002Creditos, 30, ""},
        CasoRegistro{"OwnMaximumNotTheSelectedOnes", registro("M001", "500,00", "01"), 3, M001Dinheiro, 500, ""},
        CasoRegistro{"OwnSmallerMaximumRefuses", registro("M005", "150,00", "03"), 1, -1, 0, kErroValor},
        CasoRegistro{"Money600Stored", registro("M001", "600,00", "01"), 1, M001Dinheiro, 600, ""},
        CasoRegistro{"Money600_01Exceeds", registro("M001", "600,01", "01"), 1, -1, 0, kExcede},
        CasoRegistro{"CreditsAtTheMaximum", registro("M002", "250,00", "02"), 1, M002Creditos, 250, ""},
        CasoRegistro{"CreditsAboveTheMaximum", registro("M002", "251,00", "02"), 1, -1, 0, kErroValor},
        CasoRegistro{"CreditsAbove600", registro("M002", "601,00", "02"), 1, -1, 0, kExcede},
        CasoRegistro{"SmallMaximumAt100", registro("M005", "100,00", "03"), 1, M005Pequeno, 100, ""},
        CasoRegistro{"Negative", registro("M001", "-000000000000005,00", "01"), 1, -1, 0, kErroValor},
        CasoRegistro{"NegativeZeroIsZero", registro("M001", "-000000000000000,00", "01"), 1, M001Dinheiro, 0, ""},
        CasoRegistro{"FractionalCredits", registro("M002", "10,50", "02"), 1, -1, 0, kErroValor},
        CasoRegistro{"ZeroIsAValue", registro("M001", "0,00"), 1, M001Dinheiro, 0, ""},
        CasoRegistro{"BlankRegistrationMatchesNoHolder", registro("", "5,00", "01"), 1, -1, 0, kNaoEncontrada},
        CasoRegistro{"UnknownRegistration", registro("X9", "5,00", "01"), 1, -1, 0, kNaoEncontrada},
        CasoRegistro{"CaseMatters", registro("m001", "5,00", "01"), 1, -1, 0, kNaoEncontrada},
        CasoRegistro{"RightRegistrationWrongType", registro("M005", "5,00", "01"), 1, -1, 0, kNaoEncontrada},
        CasoRegistro{"HolderBeyondTheLoadedFile", registro("M999", "5,00", "01"), 1, -1, 0, kNaoEncontrada},
        CasoRegistro{"AccentedRegistrationMatchesItsBytes", registro("JOS\xC9", "7,00", "01"), 1, Acentuada, 7, ""},
        CasoRegistro{"NoTypeAndNothingSelected", registro("M001", "5,00"), 0, -1, 0, kNaoEncontrada},
        CasoRegistro{"TypeOutsideTheTable", registro("M001", "5,00", "99"), 1, -1, 0, kNaoEncontrada}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ImportFixture, TheLaterOfTwoRecordsForOneHolderWinsAndBothCount)
{
    EXPECT_TRUE(importa({registro("M001", "10,00", "01"), registro("M001", "20,00", "01")}));
    EXPECT_EQ(valor(M001Dinheiro), 20);
    EXPECT_EQ(run().TotalOk, 2);
    EXPECT_EQ(run().TotalErros, 0);
}

TEST_F(ImportFixture, AllStoredAnswersTrueWithNoResultLines)
{
    m.wRecarga[M001Dinheiro].Grupo[0].Tarifa = 3;
    m.wRecarga[M001Dinheiro].Grupo[0].CMM = 42;
    EXPECT_TRUE(importa({registro("M001", "10,00"), registro("M002", "3,00", "02"), registro(kVinteEUm, "1,25")}));
    EXPECT_EQ(run().TotalOk, 3);
    EXPECT_EQ(run().Resultado().size(), 1u);
    EXPECT_EQ(run().Resultado()[0], "");
    EXPECT_EQ(valor(VinteEUm), 1.25);
    // Only the value changes: the group's tariff and CMM stay.
    EXPECT_EQ(m.wRecarga[M001Dinheiro].Grupo[0].Tarifa, 3);
    EXPECT_EQ(m.wRecarga[M001Dinheiro].Grupo[0].CMM, 42);
    EXPECT_NE(log().find(" +------  Total de OK: 3 - Total de erros: 0  -----+\r\n"), std::string::npos) << log();
}

TEST_F(ImportFixture, ResultLinesCarryLineNumbersPaddingAndTheRejectedLinesRegistration)
{
    CamposExternos semEmpresa;
    semEmpresa.matricula = "M002";
    semEmpresa.empresa = "          ";
    EXPECT_FALSE(importa({registro("M001", "1,00"),                 // 1 stored
                          registro(kVinte, "700,00"),               // 2 above 600
                          registro(kVinteEUm, "5,00", "02"),        // 3 not found
                          "",                                       // 4 empty line
                          registro(semEmpresa),                     // 5 no company
                          registro("JOS\xC9", "-000000000000001,00")}));  // 6 negative
    const QStringList esperado = {
        QStringLiteral("            2   ABCDEFGHIJKLMNOPQRST O valor da recarga excede 600.00"),
        QStringLiteral("            3   ABCDEFGHIJKLMNOPQRSTUMatrícula não encontrada"),
        QStringLiteral("            4") + QString(24, u' ') + QStringLiteral("O identificador do registro infomado não é um número válido"),
        QStringLiteral("            5   M002                 Empresa infomada não é um número"),
        QStringLiteral("            6   JOSÉ                 Erro na atualização do valor da recarga")};
    EXPECT_EQ(run().linhasResultado(), esperado);
    EXPECT_EQ(run().TotalOk, 1);
    EXPECT_EQ(run().TotalErros, 5);
    // The stored result keeps the file's bytes; only the text view converts.
    EXPECT_EQ(run().Resultado()[5].substr(16, 4), "JOS\xC9");
}

TEST(Completa, PadsOnlyUpToTheWidth)
{
    EXPECT_EQ(RecargaExterna::Completa("7", 13, true), "            7");
    EXPECT_EQ(RecargaExterna::Completa(std::string(12, '9'), 13, true), " 999999999999");
    EXPECT_EQ(RecargaExterna::Completa(std::string(14, '9'), 13, true), std::string(14, '9'));
    EXPECT_EQ(RecargaExterna::Completa(kVinte, 21, false), kVinte + " ");
    EXPECT_EQ(RecargaExterna::Completa(kVinteEUm, 21, false), kVinteEUm);
    EXPECT_EQ(RecargaExterna::Completa("", 3, false), "   ");
}

TEST_F(ImportFixture, CallbacksFollowTheRun)
{
    int contados = -1, recarregado = 0;
    std::vector<int> progresso;
    run().aoContar = [&](int n) { contados = n; };
    run().aoProgresso = [&](int l) { progresso.push_back(l); };
    run().aoRecarregar = [&] {
        ++recarregado;
        EXPECT_EQ(valor(M001Dinheiro), 4);  // the model is up to date when the grid refills
    };
    const std::string corte = registro("M002", "1,00", "02");  // last line without line feed
    const QString caminho = externo({registro("M001", "4,00"), "lixo", registro("X", "1,00")});
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(corte.data(), qint64(corte.size()));
    f.close();
    EXPECT_FALSE(run().Importa(caminho, 1));
    EXPECT_EQ(contados, 3);
    EXPECT_EQ(progresso, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(recarregado, 1);
    EXPECT_EQ(valor(M002Creditos), 0);  // the unterminated line was never read
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_EQ(avisos[0], QStringLiteral("Log da operação gerado em \n")
                             + QDir::toNativeSeparators(dir.filePath(QStringLiteral("Log/folha.log"))));
}

TEST_F(ImportFixture, AFileGoneSinceItWasChosenEndsWithOneLineAndChangesNothing)
{
    const ModeloRecarga antes = m;
    EXPECT_FALSE(run().Importa(dir.filePath(QStringLiteral("folha.rrm")), 1));
    EXPECT_EQ(run().linhasResultado(),
              QStringList{QStringLiteral("            1") + QString(24, u' ') + QStringLiteral("Erro ao abrir/criar o arquivo")});
    EXPECT_EQ(run().TotalErros, 1);
    for (int t = 0; t <= AlemDoArquivo; ++t)
        EXPECT_EQ(valor(t), 0.0);
    EXPECT_NE(log().find("  *** Erro: Erro ao abrir/criar o arquivo\r\n"), std::string::npos) << log();
    EXPECT_NE(log().find("Fim do Log de importa\xE7\xE3o da recarga"), std::string::npos) << log();
    EXPECT_EQ(avisos.size(), 1);
}

TEST_F(ImportFixture, ALogThatCannotBeCreatedStopsTheRunBeforeAnyChange)
{
    gravaTexto(dir.filePath(QStringLiteral("Log")), "a file where the folder should be");
    int chamadas = 0;
    run().aoRecarregar = [&] { ++chamadas; };
    run().aoContar = [&](int) { ++chamadas; };
    EXPECT_FALSE(importa({registro("M001", "10,00")}));
    EXPECT_EQ(valor(M001Dinheiro), 0);
    EXPECT_EQ(run().Resultado().size(), 1u);
    EXPECT_EQ(chamadas, 0);
    EXPECT_TRUE(avisos.isEmpty());
}

// Each of the log's file operations failed in turn. The log's temporary is
// made before the first record is read: when that fails nothing is
// imported; any later failure leaves the values in the model and says the
// log was not saved.
TEST_F(ImportFixture, ALogThatCannotBePutInPlaceIsSaidAndKeepsTheEarlierLog)
{
    ASSERT_TRUE(importa({registro("M001", "10,00")}));
    const std::string anterior = log();
    QStringList passos;
    {
        FalhasArquivo contagem;
        ASSERT_TRUE(importa({registro("M001", "11,00")}));
        passos = contagem.registro();
    }
    ASSERT_FALSE(passos.isEmpty());
    EXPECT_TRUE(passos.first().startsWith(QStringLiteral("write "))) << passos.join('\n').toStdString();
    for (int n = 1; n <= int(passos.size()); ++n) {
        const QString passo = passos[n - 1];
        m.wRecarga[M001Dinheiro].Grupo[0].Valor = 0;
        ASSERT_TRUE(importa({registro("M001", "10,00")}));
        const std::string bom = log();
        avisos.clear();
        FalhasArquivo falhas(n);
        EXPECT_FALSE(importa({registro("M001", "12,00")})) << passo.toStdString();
        EXPECT_TRUE(falhas.falhou()) << passo.toStdString();
        if (n == 1) {
            // Nothing stored, nothing said but the one refusal.
            EXPECT_EQ(valor(M001Dinheiro), 10);
            EXPECT_EQ(log(), bom);
            EXPECT_TRUE(avisos.isEmpty());
            ASSERT_TRUE(run().recusa().has_value());
            EXPECT_EQ(run().recusa()->motivo, RecusaImportacao::ArquivoLog);
            EXPECT_EQ(run().recusa()->texto(),
                      QStringLiteral("Não foi possível criar o log da operação %1: falha simulada. Nada foi importado.")
                          .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("Log/folha.log")))));
            continue;
        }
        EXPECT_FALSE(run().recusa().has_value()) << passo.toStdString();
        EXPECT_EQ(valor(M001Dinheiro), 12) << passo.toStdString();  // the values are in the model all the same
        // Either log stands whole: the earlier one, or the new one when only
        // the flush after putting it in place failed.
        std::string novo = bom;
        novo.replace(novo.find("Valor : 10"), 10, "Valor : 12");
        EXPECT_TRUE(log() == bom || log() == novo) << passo.toStdString() << log();
        ASSERT_EQ(avisos.size(), 1) << passo.toStdString();
        EXPECT_TRUE(avisos[0].startsWith(QStringLiteral("Não foi possível gravar o log da operação em \n")))
            << passo.toStdString();
    }
    EXPECT_FALSE(anterior.empty());
    EXPECT_EQ(arquivosDoLog(), QStringList{QStringLiteral("folha.log")});  // no temporary left
}

TEST_F(ImportFixture, TheLogFolderIsCreatedAndASecondRunReplacesTheLog)
{
    ASSERT_TRUE(importa({registro("M001", "10,00")}));
    ASSERT_TRUE(importa({registro("M001", "11,00")}));
    EXPECT_EQ(log().find("Valor : 10"), std::string::npos) << log();
    EXPECT_NE(log().find("Valor : 11"), std::string::npos) << log();
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Log"))).entryList(QDir::Files),
              QStringList{QStringLiteral("folha.log")});
}

TEST_F(ImportFixture, TheLogIsNamedAfterTheChosenFileASpreadsheetsWithItsExtension)
{
    EXPECT_EQ(QFileInfo(run().caminhoLog(QStringLiteral("/x/PX_00123_0007_2603.rrm"))).fileName(),
              QStringLiteral("PX_00123_0007_2603.log"));
    EXPECT_EQ(QFileInfo(run().caminhoLog(QStringLiteral("/x/a.rrm"))).fileName(), QStringLiteral("a.log"));
    EXPECT_EQ(QFileInfo(run().caminhoLog(QStringLiteral("/x/folha.2026.03.rrm"))).fileName(),
              QStringLiteral("folha.2026.03.log"));
    EXPECT_EQ(QFileInfo(run().caminhoLog(QStringLiteral("/x/semextensao"))).fileName(), QStringLiteral("semextensao.log"));
    // A spreadsheet of the same month keeps its own log.
    EXPECT_EQ(QFileInfo(run().caminhoLog(QStringLiteral("/x/folha.csv"))).fileName(), QStringLiteral("folha.csv.log"));
    EXPECT_EQ(QFileInfo(run().caminhoLog(QStringLiteral("/x/FOLHA.CSV"))).fileName(), QStringLiteral("FOLHA.CSV.log"));
    // A short path is no reason to refuse a run.
    EXPECT_TRUE(run().Importa(externo({registro("M001", "1,00")}, QStringLiteral("a.rrm")), 1));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Log/a.log"))));
}

}  // namespace
}  // namespace pluvexa
