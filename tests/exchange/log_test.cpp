// The import log's bytes: the same on every system, whatever its locale.

#include "exchange/log.h"
#include "importfixture.h"

#include <QDir>

namespace pluvexa {
namespace {

using namespace test;

TEST(Log, LinesAreStampedMarkedAndEndedWithCrLf)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("x.log"));
    int tique = 0;
    Log log([&] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5 + tique++)); });
    ASSERT_TRUE(log.Abre(caminho));
    EXPECT_TRUE(log.Erro("falhou"));
    EXPECT_TRUE(log.Info("Matr\xED" "cula"));
    EXPECT_TRUE(log.Destaque("caixa"));
    EXPECT_TRUE(log.Fecha());
    EXPECT_EQ(leTexto(caminho),
              "02/01/2026 03:04:05  *** Erro: falhou\r\n"
              "02/01/2026 03:04:06      Info: Matr\xED" "cula\r\n"
              "02/01/2026 03:04:07 +------  caixa  -----+\r\n");
}

TEST(Log, WritesNothingWhenNotOpen)
{
    Log log;
    EXPECT_FALSE(log.Info("x"));
    EXPECT_TRUE(log.Fecha());
}

TEST_F(ImportFixture, AWholeRunsLogByteForByte)
{
    const QString arquivo = externo({registro("M001", "12,50"),
                                     registro("M002", "0000000000000010,00", "02"),
                                     registro("X1", "1,00"),
                                     registro("M001", "600,01", "01"),
                                     registro("M005", "150,00", "03"),
                                     "quebrado"});
    EXPECT_FALSE(run().Importa(arquivo, 1));
    const std::string stamp = "09/03/2026 14:05:07";
    const std::string nativo = QDir::toNativeSeparators(arquivo).toStdString();
    EXPECT_EQ(log(),
              stamp + " +------  Arquivo - " + nativo + " - Log de importa\xE7\xE3o da recarga  -----+\r\n"
              + stamp + "      Info: Matr\xED" "cula - M001 Tipo : 1 -  Valor : 12,5\r\n"
              + stamp + "      Info: Matr\xED" "cula - M002 Tipo : 2 -  Valor : 10\r\n"
              + stamp + "  *** Erro: Matr\xED" "cula - X1 n\xE3o encontrada\r\n"
              + stamp + "  *** Erro: Matr\xED" "cula - M001. Valor : 600,01. O valor para recarga n\xE3o pode exceder 600.00\r\n"
              + stamp + "  *** Erro: Matr\xED" "cula - M005. Erro na atualiza\xE7\xE3o do valor da recarga\r\n"
              + stamp + "  *** Erro: O identificador do registro infomado n\xE3o \xE9 um n\xFAmero v\xE1lido\r\n"
              + stamp + " +------  Total de OK: 2 - Total de erros: 4  -----+\r\n"
              + stamp + " +------  Fim do Log de importa\xE7\xE3o da recarga  -----+\r\n");
}

}  // namespace
}  // namespace pluvexa
