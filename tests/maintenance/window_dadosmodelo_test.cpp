// The company text and the whole file's totals that the listing, the review
// and import reports and the ".LOG" print come from the model, formatted as
// the window's labels show them: the texts built from the model equal the
// labels' at each point of a session, and a text put into a label reaches
// no printed page and no log.

#include "maintenance/windowfixture.h"
#include "recharge/processamento.h"
#include "recharge/totaisgerais.h"
#include "support/pdftext.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>

namespace pluvexa::janela {
namespace {

const QString kEmpresa = "123 - " + QStringLiteral("TRANSPORTES TESTE LTDA").leftJustified(50);

class DadosDoModelo : public JanelaRecargaTest {
protected:
    QLabel* rotulo(const char* nome) const { return janela->findChild<QLabel*>(QString::fromLatin1(nome)); }
    QPushButton* botao(const char* nome) const { return janela->findChild<QPushButton*>(QString::fromLatin1(nome)); }
    QString linhaDoLogQueComeca(const QString& inicio) const
    {
        const int i = linhaDoLog(inicio);
        return i < 0 ? QString() : janela->linhasLog()[i];
    }
};

struct Momento {
    const char* nome;
    std::function<void()> faz;
    QString empresa;
    const char* valor;
    const char* creditos;
};

TEST_F(DadosDoModelo, TextsBuiltFromTheModelEqualTheLabelsAtEachPointOfASession)
{
    auto semHeader = linhasDoModelo(*modeloCentral(), nomeRecebidoPadrao());
    semHeader.erase(semHeader.begin());
    enviaRecebidoPadrao();
    enviaRecebido(semHeader, QStringLiteral("PX_00123_0008_0412090900_1.rec"));
    abre();

    const Momento momentos[] = {
        {"processed", [this] { processa(); }, kEmpresa, "0,00", "0"},
        {"money typed",
         [this] {
             escolheTarifa(1);
             escolheTipo(kTipoDinheiro);
             digitaUsuario(101, QStringLiteral("123,4"));
         },
         kEmpresa, "123,40", "0"},
        {"credits typed",   // 123,40 + 13 x 1,15
         [this] {
             escolheTipo(kTipoCreditos);
             digitaUsuario(104, QStringLiteral("13"));
         },
         kEmpresa, "138,35", "13"},
        {"file without a header processed",
         [this] {
             w().mostraPagina(controle<QWidget>("tbarquivos"));
             controle<QListWidget>("FLBArquivosRecargaRecebidos")->setCurrentRow(1);
             dialogos.expectChoice(kPerguntaDescarte, kBotoesDescarte, Descartar);
             processa();
         },
         QString(), "0,00", "0"},
    };
    for (const Momento& m : momentos) {
        SCOPED_TRACE(m.nome);
        m.faz();
        ASSERT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
        const QString empresa = dadosDoModelo(*modelo).lblempresa;
        const TotaisGerais totais = CalculaRecargasGeral(*modelo);
        EXPECT_EQ(empresa, m.empresa);
        EXPECT_EQ(totais.lblgervlrdig, QString::fromLatin1(m.valor));
        EXPECT_EQ(totais.lblgerqtddig, QString::fromLatin1(m.creditos));
        ASSERT_TRUE(rotulo("lblempresa") && rotulo("lblgervlrdig") && rotulo("lblgerqtddig"));
        EXPECT_EQ(rotulo("lblempresa")->text(), empresa);
        EXPECT_EQ(rotulo("lblgervlrdig")->text(), totais.lblgervlrdig);
        EXPECT_EQ(rotulo("lblgerqtddig")->text(), totais.lblgerqtddig);
    }
}

TEST_F(DadosDoModelo, TextsPutIntoTheLabelsReachNoListingAndNoLog)
{
    abreEProcessa();
    escolheTarifa(1);
    escolheTipo(kTipoDinheiro);
    digitaUsuario(101, QStringLiteral("12,5"));
    ASSERT_TRUE(rotulo("lblempresa") && rotulo("lblgervlrdig") && rotulo("lblgerqtddig"));
    rotulo("lblempresa")->setText(QStringLiteral("999 - ROTULO ALTERADO"));
    rotulo("lblgervlrdig")->setText(QStringLiteral("999,99"));
    rotulo("lblgerqtddig")->setText(QStringLiteral("999"));

    QTemporaryDir saida;
    const QString pdf = saida.filePath(QStringLiteral("listagem.pdf"));
    dialogos.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) {
        ASSERT_TRUE(salvarPdf);
        salvarPdf();
    });
    dialogos.expectSaveFile(pdf);
    botao("btnimpressao")->click();
    ASSERT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();

    esperaGerarAssimMesmo();
    botao("btngerararquivo")->click();
    ASSERT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(linhaDoLogQueComeca(QStringLiteral("Total em Créditos")), "Total em Créditos          ==>  0");
    EXPECT_EQ(linhaDoLogQueComeca(QStringLiteral("Total em Valor")), "Total em Valor             ==>  12,50");

    const std::optional<QString> texto = test::textoDoPdf(pdf);
    if (!texto)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(texto->contains(QStringLiteral("TRANSPORTES TESTE LTDA"))) << texto->left(1500).toStdString();
    EXPECT_FALSE(texto->contains(QStringLiteral("ROTULO ALTERADO")));
}

}  // namespace
}  // namespace pluvexa::janela
