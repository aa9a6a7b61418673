#include "history/core/historico.h"
#include "history/core/indicehistorico.h"

#include "central/dadosdemo.h"
#include "codec/lzw.h"
#include "recharge/escritorrecarga.h"
#include "recharge/linhastexto.h"
#include "support/arquivosteste.h"
#include "support/fluxolzw.h"
#include "support/loteguardado.h"
#include "support/titulares.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

struct CasoNome {
    const char* nome;
    bool valido;
    int empresa;
    int remessa;
    const char* geradoEm;  // yyyy-MM-dd HH:mm
};

class NomesDeLote : public ::testing::TestWithParam<CasoNome> {};

TEST_P(NomesDeLote, ReadOnlyTheAnswersPattern)
{
    const CasoNome& c = GetParam();
    const std::optional<NomeLote> n = leNomeLote(QString::fromLatin1(c.nome));
    ASSERT_EQ(n.has_value(), c.valido);
    if (!c.valido)
        return;
    EXPECT_EQ(n->empresa, c.empresa);
    EXPECT_EQ(n->remessa, c.remessa);
    EXPECT_EQ(n->geradoEm.toString(QStringLiteral("yyyy-MM-dd HH:mm")), QString::fromLatin1(c.geradoEm));
}

INSTANTIATE_TEST_SUITE_P(
    Historico, NomesDeLote,
    ::testing::Values(CasoNome{"PX_00123_0007_2612101530_2.HIS", true, 123, 7, "2026-12-10 15:30"},
                      CasoNome{"PX_00123_0007_2612101530_2.REC", true, 123, 7, "2026-12-10 15:30"},
                      CasoNome{"px_99999_9999_2701010000_2.his", true, 99999, 9999, "2027-01-01 00:00"},
                      CasoNome{"PX_00123_0007_2612101530_4.REC", false, 0, 0, ""},
                      CasoNome{"PX_00123_0007_2613101530_2.HIS", false, 0, 0, ""},
                      CasoNome{"PX_0123_0007_2612101530_2.HIS", false, 0, 0, ""},
                      CasoNome{"notas.HIS", false, 0, 0, ""}));

TEST(NomesDeLote, AnswerAndKeptBatchNameEachOther)
{
    EXPECT_EQ(nomeHistorico(QStringLiteral("PX_00123_0007_2612101530_2.REC")),
              QStringLiteral("PX_00123_0007_2612101530_2.HIS"));
    EXPECT_EQ(nomeResposta(QStringLiteral("PX_00123_0007_2612101530_2.HIS")),
              QStringLiteral("PX_00123_0007_2612101530_2.REC"));
}

// Kept batches written as "Gerar Arquivo" keeps them: the record writer's
// lines, CR LF, compressed.
class PastaHistorico : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(historico()));
        ASSERT_TRUE(QDir().mkpath(gerados()));
    }

    QString historico() const { return dir.filePath(QStringLiteral("Historico")); }
    QString gerados() const { return dir.filePath(QStringLiteral("Gerados")); }

    static ModeloRecarga demo(int holders)
    {
        ModeloRecarga m;
        DemoOptions o;
        o.holders = holders;
        geraModeloDemo(m, o, QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
        return m;
    }

    void guarda(const ModeloRecarga& m, const QString& nome)
    {
        test::grava(QDir(historico()).filePath(nome),
                    test::loteGuardado(m, nome, QDateTime(QDate(2026, 12, 10), QTime(15, 30))));
    }

    QTemporaryDir dir;
};

TEST_F(PastaHistorico, ListsNewestFirstWithTotalsAndWhetherSent)
{
    ModeloRecarga m = demo(10);
    std::vector<Recarga*> emDinheiro;
    Recarga* emCreditos = nullptr;
    for (int i = 0; i < m.QtdRecarga; ++i) {
        Recarga& r = m.wRecarga[std::size_t(i)];
        if (r.TipoCartao == 1)
            emDinheiro.push_back(&r);
        else if (!emCreditos && r.Grupo[1].Tarifa == 0)
            emCreditos = &r;
    }
    ASSERT_GE(emDinheiro.size(), 2u);
    ASSERT_NE(emCreditos, nullptr);
    emCreditos->Grupo[0].Valor = 12;
    emDinheiro[0]->Grupo[0].Valor = 100.50;
    emDinheiro[1]->Grupo[0].Valor = 20.25;
    guarda(m, QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    emDinheiro[1]->Grupo[0].Valor = 0;
    guarda(m, QStringLiteral("PX_00123_0008_2612101530_2.HIS"));
    test::grava(QDir(gerados()).filePath(QStringLiteral("PX_00123_0007_2611101530_4.REC")), "sealed");

    const std::vector<LoteHistorico> lotes = listaHistorico(historico(), gerados());
    ASSERT_EQ(lotes.size(), 2u);
    EXPECT_EQ(lotes[0].nome.remessa, 8);
    EXPECT_FALSE(lotes[0].enviado);
    EXPECT_EQ(lotes[0].titularesComValor, 2);
    EXPECT_EQ(lotes[0].totalCreditos, 12);
    // Credits count in the money total at the price of their tariff.
    const double precoCredito = 0.01 * m.wTipoCartao[2].Percentual * m.wTarifa[std::size_t(emCreditos->Grupo[0].Tarifa)].Valor;
    EXPECT_NEAR(lotes[0].totalValor, 100.50 + 12 * precoCredito, 0.005);
    EXPECT_EQ(lotes[1].nome.remessa, 7);
    EXPECT_TRUE(lotes[1].enviado);
    EXPECT_EQ(lotes[1].titularesComValor, 3);
    EXPECT_NEAR(lotes[1].totalValor, 120.75 + 12 * precoCredito, 0.005);
    EXPECT_EQ(lotes[1].resposta, QStringLiteral("PX_00123_0007_2611101530_2.REC"));
    EXPECT_TRUE(lotes[0].erro.isEmpty() && lotes[1].erro.isEmpty());
}

TEST_F(PastaHistorico, ADamagedOrForeignFileIsNamedAndTheOthersStillListed)
{
    guarda(demo(5), QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    test::grava(QDir(historico()).filePath(QStringLiteral("PX_00123_0009_2612101530_2.HIS")), "not a compressed text");
    test::grava(QDir(historico()).filePath(QStringLiteral("outro.HIS")), QByteArray());
    ASSERT_TRUE(QDir().mkpath(QDir(historico()).filePath(QStringLiteral("PX_00123_0010_2612111530_2.HIS"))));

    const std::vector<LoteHistorico> lotes = listaHistorico(historico(), gerados());
    ASSERT_EQ(lotes.size(), 3u);  // the folder is no file
    int comErro = 0;
    for (const LoteHistorico& l : lotes)
        comErro += l.erro.isEmpty() ? 0 : 1;
    EXPECT_EQ(comErro, 2);
    const auto bom = std::find_if(lotes.begin(), lotes.end(), [](const LoteHistorico& l) { return l.erro.isEmpty(); });
    ASSERT_NE(bom, lotes.end());
    EXPECT_EQ(bom->nome.remessa, 7);
}

// What the listing shows of each batch, to compare a listing through the
// summary with one that reads every batch.
QStringList vistos(const std::vector<LoteHistorico>& lotes)
{
    QStringList out;
    for (const LoteHistorico& l : lotes)
        out << QStringLiteral("%1 %2 %3 %4 %5 %6")
                   .arg(QFileInfo(l.caminho).fileName())
                   .arg(l.titularesComValor)
                   .arg(l.totalValor, 0, 'f', 2)
                   .arg(l.totalCreditos)
                   .arg(l.enviado)
                   .arg(l.erro.isEmpty() ? QStringLiteral("ok") : QStringLiteral("erro"));
    return out;
}

// The summary beside the kept batches only saves reading them: after each
// change to the folder, a listing through it shows what reading every batch
// shows.
TEST_F(PastaHistorico, TheSummaryNeverShowsWhatTheBatchesNoLongerSay)
{
    ModeloRecarga m = demo(8);
    const QString a = QStringLiteral("PX_00123_0007_2611101530_2.HIS");
    const QString b = QStringLiteral("PX_00123_0008_2612101530_2.HIS");
    m.wRecarga[0].Grupo[0].Valor = 10;
    guarda(m, a);
    m.wRecarga[1].Grupo[0].Valor = 20;
    guarda(m, b);
    const QString resumo = QDir(historico()).filePath(IndiceHistorico::kNome);
    const auto confere = [&](const char* passo) {
        const QStringList inteiros = vistos(listaHistorico(historico(), gerados()));
        EXPECT_EQ(vistos(listaHistorico(historico(), gerados(), Resumo::Usa)), inteiros) << passo;
        // Once written, the summary gives the same again.
        EXPECT_EQ(vistos(listaHistorico(historico(), gerados(), Resumo::Usa)), inteiros) << passo;
    };
    confere("first listing");
    EXPECT_TRUE(QFileInfo(resumo).isFile());
    EXPECT_EQ(listaHistorico(historico(), gerados()).size(), 2u) << "the summary is no batch";

    // The same name rewritten with other values.
    m.wRecarga[2].Grupo[0].Valor = 300;
    guarda(m, b);
    confere("a batch rewritten");

    // Same size, another time: read again all the same.
    {
        QFile tocado(QDir(historico()).filePath(a));
        ASSERT_TRUE(tocado.open(QIODevice::ReadWrite));
        ASSERT_TRUE(tocado.setFileTime(QDateTime(QDate(2021, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
    }
    confere("a batch touched");

    test::grava(QDir(historico()).filePath(b), "damaged");
    confere("a batch damaged");

    ASSERT_TRUE(QFile::remove(QDir(historico()).filePath(b)));
    confere("a batch gone");

    for (const QByteArray& estranho :
         {QByteArray("pluvexa-resumo 1\n") + a.toUtf8() + "\t1\t2\tx\t4\t5\n", QByteArray("lixo\n\n\t\t"),
          QByteArray()}) {
        test::grava(resumo, estranho);
        confere("a damaged summary");
    }
}

// A summary that lies about a batch (its size and time matching) is the one
// case it is trusted; one that does not match is not.
TEST_F(PastaHistorico, ASummaryEntryIsUsedOnlyWhenItMatchesTheFileExactly)
{
    const QString a = QStringLiteral("PX_00123_0007_2611101530_2.HIS");
    guarda(demo(3), a);
    const QFileInfo arquivo(QDir(historico()).filePath(a));
    const qint64 quando = arquivo.lastModified().toMSecsSinceEpoch();
    const QString resumo = QDir(historico()).filePath(IndiceHistorico::kNome);
    struct Caso {
        qint64 tamanho;
        qint64 modificado;
        bool usado;
    };
    for (const Caso& c : {Caso{arquivo.size(), quando, true}, Caso{arquivo.size() + 1, quando, false},
                          Caso{arquivo.size(), quando + 1, false}}) {
        test::grava(resumo, "pluvexa-resumo 1\n" + a.toUtf8() + '\t' + QByteArray::number(c.tamanho) + '\t'
                            + QByteArray::number(c.modificado) + "\t777\t1.5\t9\n");
        const std::vector<LoteHistorico> lotes = listaHistorico(historico(), gerados(), Resumo::Usa);
        ASSERT_EQ(lotes.size(), 1u);
        EXPECT_EQ(lotes[0].titularesComValor == 777, c.usado) << c.tamanho << " " << c.modificado;
    }
}

// A kept batch expanding to more non-blank lines than any recharge file
// holds is no batch: named with its error, never split into memory. (Lines
// whose record type is blank are skipped by the processing: read whole,
// this batch of five holders would pass.)
TEST_F(PastaHistorico, ABatchLongerThanAnyRecargaFileIsNamedAsInconsistent)
{
    const ResultadoEscrita escrita = EscritorRecarga(demo(5)).gera(
        "PX_00123_0007_2611101530_2.REC", [] { return QDateTime(QDate(2026, 12, 10), QTime(15, 30)); });
    ASSERT_TRUE(escrita.ok());
    std::string texto;
    for (const Texto& l : escrita.linhas)
        texto += l + "\r\n";
    for (std::size_t i = escrita.linhas.size(); i <= kMaisLinhasTexto; ++i)
        texto += "  " + std::to_string(i) + "\r\n\r\n";
    const std::vector<std::uint8_t> z =
        lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
    const QString caminho = QDir(historico()).filePath(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    test::grava(caminho, QByteArray(reinterpret_cast<const char*>(z.data()), qsizetype(z.size())));
    ModeloRecarga m;
    QString erro;
    EXPECT_FALSE(carregaHistorico(caminho, m, erro));
    EXPECT_EQ(erro, QStringLiteral("%1 holds no consistent recharge text").arg(QDir::toNativeSeparators(caminho)));
    EXPECT_EQ(m.QtdRecarga, 0);
}

// A kept batch cut short (at a line end, without its trailer, a holder
// lost, a header alone, nothing) holds no whole text: named as incomplete,
// nothing of it loaded. One expanding past any recharge text does not
// expand.
TEST_F(PastaHistorico, AKeptBatchCutShortIsIncompleteAndLoadsNothing)
{
    const ResultadoEscrita escrita = EscritorRecarga(demo(5)).gera(
        "PX_00123_0007_2611101530_2.REC", [] { return QDateTime(QDate(2026, 12, 10), QTime(15, 30)); });
    ASSERT_TRUE(escrita.ok());
    const std::size_t n = escrita.linhas.size();
    struct Corte {
        std::size_t de, ate;  // the lines kept: [de, ate) and the trailer when ate is n
        const char* motivo;
    };
    const Corte cortes[] = {
        {0, n - 3, "no trailer"},
        {0, n - 1, "no trailer"},
        {1, n, "no header"},
        {0, 1, "no trailer"},
        {0, 0, "no header"},
    };
    const QString caminho = QDir(historico()).filePath(QStringLiteral("PX_00123_0007_2611101530_2.HIS"));
    auto guardaTexto = [&](const std::string& texto) {
        const std::vector<std::uint8_t> z =
            lzw::compress(std::span(reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size()));
        test::grava(caminho, QByteArray(reinterpret_cast<const char*>(z.data()), qsizetype(z.size())));
    };
    for (const Corte& c : cortes) {
        guardaTexto(juntaLinhas(std::vector<Texto>(escrita.linhas.begin() + c.de, escrita.linhas.begin() + c.ate)));
        ModeloRecarga m;
        QString erro;
        EXPECT_FALSE(carregaHistorico(caminho, m, erro)) << c.motivo;
        EXPECT_EQ(erro, QStringLiteral("\"%1\" is incomplete: %2")
                            .arg(QDir::toNativeSeparators(caminho), QString::fromLatin1(c.motivo)));
        EXPECT_EQ(m.QtdRecarga, 0);
    }
    // A holder lost from the middle: the trailer counts one record more.
    std::vector<Texto> semUm = escrita.linhas;
    semUm.erase(semUm.end() - 3);
    guardaTexto(juntaLinhas(semUm));
    ModeloRecarga m;
    QString erro;
    QString motivo;
    EXPECT_FALSE(carregaHistorico(caminho, m, erro, &motivo));
    EXPECT_EQ(erro, QStringLiteral("\"%1\" is incomplete: the trailer counts %2 records, %3 were read")
                        .arg(QDir::toNativeSeparators(caminho))
                        .arg(n)
                        .arg(n - 1));
    // The window's reason says the same in the operator's words.
    EXPECT_EQ(motivo, QStringLiteral("arquivo incompleto: o Trailer informa %1 registros e foram lidos %2")
                          .arg(n)
                          .arg(n - 1));

    const std::vector<std::uint8_t> quebras = test::fluxoRepetido('\n', lzw::kMaxExpandedSize);
    test::grava(caminho, QByteArray(reinterpret_cast<const char*>(quebras.data()), qsizetype(quebras.size())));
    EXPECT_FALSE(carregaHistorico(caminho, m, erro));
    EXPECT_EQ(erro, QStringLiteral("%1 does not expand: not a kept batch").arg(QDir::toNativeSeparators(caminho)));
}

TEST(ComparaLotes, EachHolderOfEitherBatchWithItsSituation)
{
    ModeloRecarga a;
    ModeloRecarga b;
    for (ModeloRecarga* m : {&a, &b}) {
        m->wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 0, 600};
        m->wTipoCartao[2] = {2, "CREDITOS", Creditos, 50, 250};
    }
    const auto titular = [](ModeloRecarga& m, int usuario, int tipo, double valor, double grupo2 = 0) {
        test::acrescenta(m, test::titular(usuario, 0, "TITULAR " + std::to_string(usuario), "", tipo,
                                          {{1, 0, valor}, {grupo2 != 0 ? 2 : 0, 0, grupo2}}));
    };
    titular(a, 30, 1, 50.00);     // changed
    titular(a, 10, 1, 80.10);     // same
    titular(a, 20, 2, 10, 5);     // same, over two groups
    titular(a, 40, 1, 12.00);     // left
    titular(b, 10, 1, 80.10);
    titular(b, 30, 1, 75.50);
    titular(b, 20, 2, 15);
    titular(b, 20, 1, 9.90);      // the same user on another card type: new
    titular(b, 50, 2, 30);        // new

    const std::vector<LinhaComparacao> c = comparaLotes(a, b);
    struct Esperado {
        int usuario, tipo;
        Situacao situacao;
        double diferenca;
    };
    const std::vector<Esperado> esperado{{10, 1, Situacao::Igual, 0},      {20, 1, Situacao::Novo, 9.90},
                                         {20, 2, Situacao::Igual, 0},      {30, 1, Situacao::Alterado, 25.50},
                                         {40, 1, Situacao::Saiu, -12.00},  {50, 2, Situacao::Novo, 30}};
    ASSERT_EQ(c.size(), esperado.size());
    for (std::size_t i = 0; i < c.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(c[i].usuario, esperado[i].usuario);
        EXPECT_EQ(c[i].tipo, esperado[i].tipo);
        EXPECT_EQ(c[i].situacao, esperado[i].situacao);
        EXPECT_NEAR(c[i].diferenca(), esperado[i].diferenca, 1e-9);
    }
    EXPECT_TRUE(c[5].creditos);
    EXPECT_FALSE(c[4].valorB.has_value());
    EXPECT_FALSE(c[1].valorA.has_value());
}

}  // namespace
}  // namespace pluvexa
