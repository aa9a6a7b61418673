#include "recharge/camposregistro.h"
#include "recharge/processamento.h"

#include <gtest/gtest.h>

#include <cstring>

#include "recordfixture.h"

namespace pluvexa {
namespace {

using namespace pluvexa::test;

const QStringList kLinhasHeader{
    QStringLiteral("Empresa : 42 - EMPRESA TESTE LTDA                                "),
    QStringLiteral("Data : 01/02/24 08:30:00"),
    QStringLiteral("Criptografia : Sim"),
    QStringLiteral(" "),
    QStringLiteral("Versão Recarga : CENTRAL 3.2         "),
    QStringLiteral("Versão Remota : 2.1.1.01C "),
    QStringLiteral("Sequencial Arquivo : 000000000000000123"),
    QStringLiteral(" ")};

const QStringList kOk{QStringLiteral("Header      ==> OK "), QStringLiteral("Detalhe     ==> OK "),
                      QStringLiteral("Tipo Cartão ==> OK "), QStringLiteral("Tarifa      ==> OK "),
                      QStringLiteral("Trailer     ==> OK "), QStringLiteral("Eventos     ==> OK ")};

TEST(Processamento, BannerOpensTheLog)
{
    const QStringList b = bannerProcessamento(QDateTime(QDate(2024, 2, 1), QTime(9, 5, 7)),
                                              QStringLiteral("/home/x/Recebidos/PX_1.rec"));
    EXPECT_EQ(b, (QStringList{
                     QString(81, u'='),
                     QStringLiteral("=============== Drovanti - Pluvexa - ZELVO PLUS =========================="),
                     QStringLiteral("===============     Data Proc: 01/02/2024 09:05:07     =========================="),
                     QString(81, u'='), QStringLiteral(" "),
                     QStringLiteral("Carregando Arquivo : /home/x/Recebidos/PX_1.rec")}));
}

TEST(Processamento, ConsistentFileEndsWithSixOkLines)
{
    ModeloRecarga m;
    ProcessadorRecarga p(m);
    DadosArquivo mostrados;
    p.aoHeader = [&](const DadosArquivo& d) { mostrados = d; };
    p.aoEventoDesconhecido = [](const QString&, int) { ADD_FAILURE() << "no unknown event expected"; };
    QStringList log{QStringLiteral("banner")};
    const ResultadoProcessamento r = p.processa(arquivoExemplo(), log);

    EXPECT_TRUE(r.consistente());
    EXPECT_EQ(log, QStringList{QStringLiteral("banner")} + kLinhasHeader + kOk);
    EXPECT_EQ(mostrados.lblseq, QStringLiteral("000000000000000123"));
    EXPECT_EQ(mostrados.lblempresa, kLinhasHeader[0].mid(10));
    EXPECT_EQ(mostrados.lbldata, QStringLiteral("01/02/24 08:30:00"));
    EXPECT_EQ(mostrados.lblcripta, QStringLiteral("Sim"));
    EXPECT_EQ(r.listaTiposCartao.size(), 2u);
    EXPECT_EQ(r.listaTarifas.size(), 3u);
    EXPECT_EQ(r.TipoCartaoSel, 2);
    EXPECT_EQ(r.TarifaSel, 5);
    EXPECT_EQ(m.QtdRecarga, 2);
    EXPECT_EQ(m.ModoArredondamento, 1);
}

TEST(Processamento, ShortDetailFailsItsCheckAndTheOthersLoad)
{
    auto linhas = arquivoExemplo();
    linhas.insert(linhas.begin() + 7, detalheDinheiroLinha().substr(0, 271));
    ModeloRecarga m;
    QStringList log;
    const ResultadoProcessamento r = ProcessadorRecarga(m).processa(linhas, log);
    EXPECT_FALSE(r.consistente());
    EXPECT_FALSE(r.marcas.detalhe);
    EXPECT_TRUE(r.marcas.header && r.marcas.tipoCartao && r.marcas.tarifa && r.marcas.trailer && r.marcas.eventos);
    EXPECT_EQ(log.last(), QStringLiteral("Detalhe     ==> Consistencia Inválida "));
    EXPECT_EQ(log.size(), kLinhasHeader.size() + 1);
    EXPECT_EQ(m.QtdRecarga, 2);
}

TEST(Processamento, UnknownEventIsReportedPerLine)
{
    auto linhas = arquivoExemplo();
    linhas.insert(linhas.begin() + 3, "07 QUALQUER COISA");
    linhas.push_back("X");
    ModeloRecarga m;
    ProcessadorRecarga p(m);
    QStringList mensagens;
    p.aoEventoDesconhecido = [&](const QString& tipo, int linha) {
        mensagens.append(QStringLiteral("Evento não reconhecido - ") + tipo + QStringLiteral(" - Verifique!")
                         + QString::number(linha));
    };
    QStringList log;
    const ResultadoProcessamento r = p.processa(linhas, log);
    EXPECT_EQ(mensagens, (QStringList{QStringLiteral("Evento não reconhecido - 07 - Verifique!3"),
                                      QStringLiteral("Evento não reconhecido - X - Verifique!10")}));
    EXPECT_FALSE(r.marcas.eventos);
    EXPECT_EQ(log.mid(kLinhasHeader.size()),
              (QStringList{QStringLiteral("Evento desconhecido - Evento : 07 - Linha : 3"),
                           QStringLiteral("Evento desconhecido - Evento : X - Linha : 10"),
                           QStringLiteral("Evento      ==> Evento Inválido ")}));
}

TEST(Processamento, BlankLinesAreSkipped)
{
    auto linhas = arquivoExemplo();
    linhas.insert(linhas.begin() + 1, "");
    linhas.insert(linhas.begin() + 4, "   ");
    linhas.insert(linhas.begin() + 6, "\t ignored");
    linhas.push_back("");
    ModeloRecarga m;
    QStringList log;
    EXPECT_TRUE(ProcessadorRecarga(m).processa(linhas, log).consistente());
    EXPECT_EQ(log.mid(kLinhasHeader.size()), kOk);
}

TEST(Processamento, FailedMarksAreListedInTheirOrder)
{
    const std::vector<Texto> linhas{trailerLinha(1, 0, 0, 0, 0) + "0", "11", tarifa03Linha() + "0",
                                    tipoDinheiroLinha() + "0", detalheDinheiroLinha() + "0",
                                    headerLinha() + "0"};
    ModeloRecarga m;
    QStringList log;
    const ResultadoProcessamento r = ProcessadorRecarga(m).processa(linhas, log);
    EXPECT_FALSE(r.temHeader);
    EXPECT_EQ(log, (QStringList{QStringLiteral("Evento desconhecido - Evento : 11 - Linha : 1"),
                                QStringLiteral("Header      ==> Consistencia Inválida "),
                                QStringLiteral("Detalhe     ==> Consistencia Inválida "),
                                QStringLiteral("Tipo Cartão ==> Consistencia Inválida"),
                                QStringLiteral("Tarifa      ==> Consistencia Inválida"),
                                QStringLiteral("Trailer     ==> Consistencia Inválida"),
                                QStringLiteral("Evento      ==> Evento Inválido ")}));
}

TEST(Processamento, CodeOutsideTheTablesIsLoggedAndFailsTheCheck)
{
    auto linhas = arquivoExemplo();
    std::string tarifa = tarifa03Linha();
    tarifa.replace(2, 2, "15");
    linhas.insert(linhas.begin() + 6, tarifa);
    ModeloRecarga m;
    QStringList log;
    const ResultadoProcessamento r = ProcessadorRecarga(m).processa(linhas, log);
    EXPECT_FALSE(r.marcas.tarifa);
    EXPECT_EQ(log.mid(kLinhasHeader.size()),
              (QStringList{QStringLiteral("Tarifa fora da tabela (00 a 14) - Código : 15 - Linha : 6"),
                           QStringLiteral("Tarifa      ==> Consistencia Inválida")}));
    EXPECT_EQ(r.listaTarifas.size(), 3u);
    EXPECT_EQ(m.QtdRecarga, 2);
}

TEST(Processamento, SecondFileDropsTheFirstFilesTablesAndLists)
{
    ModeloRecarga m;
    QStringList log;
    ProcessadorRecarga p(m);
    p.processa(arquivoExemplo(), log);
    ASSERT_EQ(m.wTipoCartao[2].Codigo, 2);

    const std::vector<Texto> segundo{headerLinha(), tipoDinheiroLinha(), tarifa03Linha(),
                                     detalheDinheiroLinha(), trailerLinha(5, 1, 0, 0, 0)};
    log.clear();
    const ResultadoProcessamento r = p.processa(segundo, log);
    EXPECT_TRUE(r.consistente());
    EXPECT_EQ(m.wTipoCartao[2].Codigo, 0);
    EXPECT_TRUE(m.wTarifa[5].Descricao.empty());
    EXPECT_TRUE(m.wTarifa[0].Descricao.empty());
    EXPECT_EQ(m.QtdRecarga, 1);
    EXPECT_EQ(r.listaTiposCartao.size(), 1u);
    EXPECT_EQ(r.listaTarifas.size(), 1u);
}

TEST(Processamento, HeaderlessFileAfterAFileWithAHeaderKeepsNoneOfItsValues)
{
    ModeloRecarga m;
    QStringList log;
    ProcessadorRecarga p(m);
    p.processa(arquivoExemplo(), log);
    ASSERT_EQ(m.cabecalho.Empresa, 42);
    ASSERT_EQ(m.ModoArredondamento, 1);

    auto semHeader = arquivoExemplo();
    semHeader.erase(semHeader.begin());
    log.clear();
    const ResultadoProcessamento r = p.processa(semHeader, log);
    EXPECT_TRUE(r.consistente());
    EXPECT_FALSE(r.temHeader);
    EXPECT_EQ(m.cabecalho.Empresa, 0);
    EXPECT_TRUE(m.cabecalho.NomeEmpresa.empty());
    EXPECT_TRUE(m.cabecalho.Remessa.empty());
    EXPECT_TRUE(m.cabecalho.NomeArquivo.empty());
    EXPECT_TRUE(m.cabecalho.Sequencial.empty());
    EXPECT_TRUE(m.cabecalho.VersaoRecarga.empty());
    EXPECT_EQ(m.cabecalho.NumeroCabecalho, 0);
    EXPECT_EQ(m.cabecalho.Arredondamento, "0");
    EXPECT_EQ(m.ModoArredondamento, 0);
    EXPECT_EQ(m.QtdRecarga, 2);
}

TEST(Processamento, ConversionErrorStopsAtItsLineKeepingTheLog)
{
    auto linhas = arquivoExemplo();
    linhas[7].replace(2, 10, "ABCDEFGHIJ");
    ModeloRecarga m;
    QStringList log;
    try {
        ProcessadorRecarga(m).processa(linhas, log);
        FAIL() << "no conversion error";
    } catch (const ErroConversao& e) {
        EXPECT_STREQ(e.what(), "'ABCDEFGHIJ' is not a valid integer value");
    }
    EXPECT_EQ(log, kLinhasHeader);
    EXPECT_EQ(m.QtdRecarga, 1);
}

// A detail's value as a 32-bit conversion reads it: one below zero, or one
// that would wrap below zero, refuses the detail (its mark cleared, the
// others loaded); a value of no number at all still ends the processing.
struct ValorDetalhe {
    const char* nome;
    std::size_t linha;    // 6 the money holder, 7 the credit holder
    std::size_t posicao;  // 1-based
    const char* campo;
    bool aceito;
};

class ValorLido : public ::testing::TestWithParam<ValorDetalhe> {};

TEST_P(ValorLido, BelowZeroOrWrappingRefusesTheDetail)
{
    const ValorDetalhe& c = GetParam();
    auto linhas = arquivoExemplo();
    linhas[c.linha].replace(c.posicao - 1, std::strlen(c.campo), c.campo);
    ASSERT_EQ(linhas[c.linha].size(), 272u);
    ModeloRecarga m;
    QStringList log;
    const ResultadoProcessamento r = ProcessadorRecarga(m).processa(linhas, log);
    const QString recusa = QStringLiteral(" ==> Valor negativo - Linha : %1 ").arg(c.linha);
    EXPECT_EQ(r.marcas.detalhe, c.aceito);
    EXPECT_TRUE(r.marcas.header && r.marcas.tipoCartao && r.marcas.tarifa && r.marcas.trailer && r.marcas.eventos);
    EXPECT_EQ(log.contains(recusa), !c.aceito) << log.join('\n').toStdString();
    EXPECT_EQ(m.QtdRecarga, c.aceito ? 2 : 1);
    if (!c.aceito) {
        EXPECT_EQ(log.last(), QStringLiteral("Detalhe     ==> Consistencia Inválida "));
    }
    for (int i = 0; i < m.QtdRecarga; ++i)
        for (const GrupoRecarga& g : m.wRecarga[std::size_t(i)].Grupo)
            EXPECT_GE(g.Valor, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Processamento, ValorLido,
    ::testing::Values(ValorDetalhe{"MoneyNegative", 6, 135, "-00000000000000100", false},
                      ValorDetalhe{"MoneyMostNegative", 6, 135, "-00000002147483648", false},
                      ValorDetalhe{"MoneyWrapsPast32Bits", 6, 135, "000000002147483648", false},
                      ValorDetalhe{"MoneyWrapsToZeroIn32Bits", 6, 135, "000000004294967296", false},
                      ValorDetalhe{"MoneyEighteenNines", 6, 135, "999999999999999999", false},
                      ValorDetalhe{"MoneyLargestKept", 6, 135, "000000002147483647", true},
                      ValorDetalhe{"MoneyMinusZero", 6, 135, "-00000000000000000", true},
                      ValorDetalhe{"MoneyPlusSign", 6, 135, "+00000000000000100", true},
                      ValorDetalhe{"CreditsGroup1Negative", 7, 135, "-00000000000000001", false},
                      ValorDetalhe{"CreditsGroup2Negative", 7, 160, "-01", false},
                      ValorDetalhe{"CreditsGroup4Negative", 7, 180, "-99", false},
                      ValorDetalhe{"MoneyGroup3Negative", 6, 170, "-01", false}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Processamento, AValueOfNoNumberStillEndsTheProcessing)
{
    auto linhas = arquivoExemplo();
    linhas[6].replace(134, 18, "-0000000000000010X");
    ModeloRecarga m;
    QStringList log;
    EXPECT_THROW(ProcessadorRecarga(m).processa(linhas, log), ErroConversao);
}

TEST(Processamento, HeaderNotEncryptedShowsNao)
{
    std::string h = headerLinha();
    h[85] = '0';
    const Cabecalho c = [&] {
        ModeloRecarga m;
        QStringList log;
        ProcessadorRecarga(m).processa({h}, log);
        return m.cabecalho;
    }();
    EXPECT_EQ(dadosArquivo(c).lblcripta, QStringLiteral("Não"));
}

// What the window shows is what the model holds: the header's texts once a
// header was read, none for a file without one, none once emptied for the
// next file (not the previous file's company).
TEST(Processamento, TextsOfTheModelAreThoseOfAnAcceptedHeaderOnly)
{
    std::vector<Texto> semHeader = arquivoExemplo();
    semHeader.erase(semHeader.begin());
    std::vector<Texto> headerRecusado = arquivoExemplo();
    headerRecusado[0].resize(10);   // no header length: refused

    ModeloRecarga m;
    QStringList log;
    DadosArquivo mostrados;
    ProcessadorRecarga p(m);
    p.aoHeader = [&](const DadosArquivo& d) { mostrados = d; };
    p.processa(arquivoExemplo(), log);
    const DadosArquivo lidos = dadosDoModelo(m);
    EXPECT_EQ(lidos.lblempresa, kLinhasHeader[0].mid(10));
    EXPECT_EQ(lidos.lblempresa, mostrados.lblempresa);
    EXPECT_EQ(lidos.lblseq, mostrados.lblseq);
    EXPECT_EQ(lidos.lbldata, mostrados.lbldata);
    EXPECT_EQ(lidos.lblcripta, mostrados.lblcripta);

    for (const std::vector<Texto>* linhas : {&semHeader, &headerRecusado}) {
        p.processa(*linhas, log);
        const DadosArquivo d = dadosDoModelo(m);
        EXPECT_TRUE(d.lblempresa.isEmpty()) << d.lblempresa.toStdString();
        EXPECT_TRUE(d.lblseq.isEmpty() && d.lbldata.isEmpty() && d.lblcripta.isEmpty());
    }
}

}  // namespace
}  // namespace pluvexa
