#include "files/pastastrabalho.h"
#include "recharge/cp1252.h"
#include "recharge/modelo.h"
#include "support/testenv.h"

#include <QDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

TEST(ModeloRecarga, StartsEmptyWithTheFixedTableSizes)
{
    ModeloRecarga m;
    EXPECT_EQ(m.wTarifa.size(), 15u);
    EXPECT_EQ(m.wTipoCartao.size(), 32u);
    EXPECT_EQ(m.wRecarga.size(), 10000u);
    EXPECT_EQ(m.woRecarga.size(), 40000u);
    EXPECT_EQ(m.QtdRecarga, 0);
    EXPECT_EQ(m.ModoArredondamento, 0);
    EXPECT_EQ(m.wRecarga[9999].Historico[3][2], 0.0);
    EXPECT_TRUE(m.wTarifa[14].Descricao.empty());
}

TEST(ModeloRecarga, EsvaziaDropsCardTypesTariffsHeaderAndTheHolderCount)
{
    ModeloRecarga m;
    m.wTipoCartao[3].Codigo = 3;
    m.wTarifa[2].Descricao = "URBANA    ";
    m.QtdRecarga = 5;
    m.wRecarga[0].Usuario = 77;
    m.cabecalho.Empresa = 42;
    m.cabecalho.Remessa = "0007";
    m.cabecalho.Arredondamento = "1";
    m.ModoArredondamento = 1;
    m.esvazia();
    EXPECT_EQ(m.wTipoCartao[3].Codigo, 0);
    EXPECT_TRUE(m.wTarifa[2].Descricao.empty());
    EXPECT_EQ(m.QtdRecarga, 0);
    EXPECT_EQ(m.cabecalho.Empresa, 0);
    EXPECT_TRUE(m.cabecalho.Remessa.empty());
    EXPECT_EQ(m.cabecalho.Arredondamento, "0");
    EXPECT_EQ(m.ModoArredondamento, 0);
    m.limpaTudo();
    EXPECT_EQ(m.wRecarga[0].Usuario, 0);
}

TEST(WorkingFolders, LiveBelowHomeAndAreCreatedWithTheirParents)
{
    test::TemporaryHome home;
    EXPECT_EQ(raizTrabalho(), home.path() + "/Drovanti/Pluvexa");
    ASSERT_TRUE(criaPastasTrabalho());
    for (const QString& p : {pastaRecebidos(), pastaGerados(), pastaRascunho(), pastaProcessados()})
        EXPECT_TRUE(QDir(p).exists()) << p.toStdString();
    EXPECT_FALSE(QDir(pastaLog()).exists());  // made by the import when it needs it
}

TEST(Cp1252, RoundTripsPortugueseTextAndTheHighPunctuation)
{
    const QString text = QStringLiteral("Manutenção – João “Zé” €5");
    const std::string bytes = paraCp1252(text);
    EXPECT_EQ(bytes.size(), size_t(text.size()));
    EXPECT_EQ(static_cast<unsigned char>(bytes[7]), 0xE7);  // ç
    EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 0x80); // €
    EXPECT_EQ(deCp1252(bytes), text);
    EXPECT_EQ(paraCp1252(QStringLiteral("漢")), "?");
    EXPECT_EQ(deCp1252(std::string(1, char(0x81))), QString(QChar(0xFFFD)));
}

}  // namespace
}  // namespace pluvexa
