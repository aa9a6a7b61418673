// The "Histórico" window opened from the real main window's tree: the kept
// batches listed newest first with their totals, a damaged one shown with
// what is wrong, one batch printed and exported, two compared holder by
// holder and the comparison saved as a spreadsheet.

#include "janelaprincipal.h"

#include "central/dadosdemo.h"
#include "codec/lzw.h"
#include "files/pastastrabalho.h"
#include "history/core/totaiscomparacao.h"
#include "history/modelocomparacao.h"
#include "history/tfhistorico.h"
#include "recharge/escritorrecarga.h"
#include "support/arquivosteste.h"
#include "support/loteguardado.h"
#include "support/pdftext.h"
#include "support/planilhalida.h"
#include "support/widgets.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

namespace pluvexa::test {
namespace {

const QString kLote7 = QStringLiteral("PX_00123_0007_2611101530_2.HIS");
const QString kLote8 = QStringLiteral("PX_00123_0008_2612101530_2.HIS");
const QString kDanificado = QStringLiteral("PX_00123_0009_2612111530_2.HIS");

class JanelaHistorico : public JanelaPrincipal {
protected:
    // Two months of the same ten holders, kept as "Gerar Arquivo" keeps
    // them, the older one sent to the disk; then a damaged third.
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        ASSERT_TRUE(criaPastasTrabalho());
        DemoOptions o;
        o.holders = 10;
        geraModeloDemo(mes, o, QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
        for (int i = 0; i < mes.QtdRecarga && dinheiro.size() < 2; ++i)
            if (mes.wRecarga[size_t(i)].TipoCartao == 1 && mes.wRecarga[size_t(i)].Grupo[1].Tarifa == 0)
                dinheiro.push_back(i);
        ASSERT_EQ(dinheiro.size(), 2u);
        mes.wRecarga[size_t(dinheiro[0])].Grupo[0].Valor = 100.50;
        mes.wRecarga[size_t(dinheiro[1])].Grupo[0].Valor = 20.25;
        guarda(kLote7);
        mes.wRecarga[size_t(dinheiro[1])].Grupo[0].Valor = 0;
        guarda(kLote8);
        test::grava(QDir(pastaHistorico()).filePath(kDanificado), "not a compressed text");
        test::grava(QDir(pastaGerados()).filePath(QStringLiteral("PX_00123_0007_2611101530_4.REC")), "sealed");

        clica(QStringLiteral("Histórico"));
        janela = principal->fhistorico();
        ASSERT_NE(janela, nullptr);
        ASSERT_EQ(ativa(), QStringLiteral("fhistorico"));
    }

    void guarda(const QString& nome)
    {
        test::grava(QDir(pastaHistorico()).filePath(nome),
                    test::loteGuardado(mes, nome, QDateTime(QDate(2026, 12, 10), QTime(15, 30))));
    }

    QString celula(int linha, int coluna) const
    {
        const QTableWidgetItem* i = janela->sgLotes->item(linha, coluna);
        return i ? i->text() : QString();
    }

    Texto usuario(int i) const { return std::to_string(mes.wRecarga[size_t(dinheiro[size_t(i)])].Usuario); }

    ModeloRecarga mes;
    std::vector<int> dinheiro;
    Tfhistorico* janela = nullptr;
    QTemporaryDir saida;
};

TEST_F(JanelaHistorico, ListsEveryKeptBatchNewestFirstAndShowsADamagedOne)
{
    const QTableWidget* t = janela->sgLotes;
    ASSERT_EQ(t->rowCount(), 3);
    QStringList cabecalho;
    for (int c = 0; c < t->columnCount(); ++c)
        cabecalho << t->horizontalHeaderItem(c)->text();
    EXPECT_EQ(cabecalho, (QStringList{"Empresa", "Remessa", "Gerado em", "Titulares com Valor", "Total em Valor",
                                      "Total em Créditos", "Arquivo", "Enviado"}));
    // Generated, sent to the disk or not yet.
    const auto* grupo = janela->findChild<QGroupBox*>(QStringLiteral("gbLotes"));
    ASSERT_NE(grupo, nullptr);
    EXPECT_EQ(grupo->title().trimmed(), QStringLiteral("Lotes Gerados"));

    // The damaged one is the newest by its name, and is not hidden.
    EXPECT_EQ(celula(0, Tfhistorico::ColRemessa), "0009");
    EXPECT_EQ(celula(0, Tfhistorico::ColTitulares), "Danificado: não pôde ser descompactado");
    EXPECT_EQ(t->columnSpan(0, Tfhistorico::ColTitulares), 3);
    EXPECT_EQ(celula(0, Tfhistorico::ColArquivo), kDanificado);

    const LoteHistorico& oito = janela->lotes()[1];
    const QStringList linha8{celula(1, 0), celula(1, 1), celula(1, 2), celula(1, 3),
                             celula(1, 5), celula(1, 6), celula(1, 7)};
    EXPECT_EQ(linha8, (QStringList{"00123", "0008", "10/12/2026 15:30", QString::number(oito.titularesComValor),
                                   QString::number(oito.totalCreditos), "PX_00123_0008_2612101530_2.REC", "Não"}));
    EXPECT_EQ(janela->lotes()[2].titularesComValor, oito.titularesComValor + 1);
    EXPECT_EQ(celula(2, Tfhistorico::ColRemessa), "0007");
    EXPECT_EQ(celula(2, Tfhistorico::ColEnviado), "Sim");
    EXPECT_EQ(t->columnSpan(1, Tfhistorico::ColTitulares), 1);
    EXPECT_EQ(janela->lbllotes->text(), "3 lotes guardados - 1 danificado");
    EXPECT_TRUE(interacao.shown().isEmpty()) << interacao.shown().join(u'\n').toStdString();
}

TEST_F(JanelaHistorico, PrintsTheListingOfWhatWasSent)
{
    janela->selecionaLotes({1});
    const QString pdf = saida.filePath(QStringLiteral("lote.pdf"));
    interacao.expectPrintPreview(nullptr, [](const auto&, const auto& salvarPdf) {
        ASSERT_TRUE(salvarPdf);
        salvarPdf();
    });
    interacao.expectSaveFile(pdf);
    janela->btnimprimir->click();
    ASSERT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    const std::optional<QString> texto = textoDoPdf(pdf);
    if (!texto)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(texto->contains(QStringLiteral("Listagem de Cartões a Recarregar")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Arquivo : ") + caminhoVisivel(janela->lotes()[1].caminho)))
        << texto->left(1200).toStdString();
    EXPECT_TRUE(texto->contains(QStringLiteral("100,50")));
    EXPECT_TRUE(texto->contains(QStringLiteral("Total Geral :")));
}

TEST_F(JanelaHistorico, ExportsTheSelectedBatchAsTheHoldersSpreadsheet)
{
    janela->selecionaLotes({2});
    const QString csv = saida.filePath(QStringLiteral("lote7.csv"));
    interacao.expectSaveFile(csv);
    janela->btnexportar->click();
    ASSERT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    const QByteArray bytes = test::le(csv);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString texto = QString::fromUtf8(bytes);
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Usuário;Cartão;Matrícula;Nome;Tipo;Tarifa;Valor;")));
    EXPECT_TRUE(texto.contains(QStringLiteral(";100,50;")));
    EXPECT_TRUE(texto.contains(QStringLiteral(";20,25;")));
}

// The comparison as a Calc workbook, chosen by the dialog's filter: the
// same columns, the user code as text, the values as numbers.
TEST_F(JanelaHistorico, SavesTheComparisonAsTheWorkbookOfTheFilterChosen)
{
    janela->selecionaLotes({2, 1});
    test::filho<QPushButton>(*janela, "btncomparar")->click();
    const QString nome = saida.filePath(QStringLiteral("comparacao"));
    interacao.expectSaveFile(nome, QStringLiteral("Planilha do Calc (*.ods)"));
    test::filho<QPushButton>(*janela, "btnexportarcomparacao")->click();
    ASSERT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(nome + QStringLiteral(".csv")));
    const test::PlanilhaLida p = test::leOds(nome + QStringLiteral(".ods"));
    ASSERT_EQ(p.linhas.size(), std::size_t(mes.QtdRecarga + 1));
    EXPECT_TRUE(p.cabecalhoFixo);
    EXPECT_EQ(p.celula(0, 5).texto, QStringLiteral("Diferença"));
    bool achado = false;
    for (const auto& linha : p.linhas) {
        if (linha.empty() || linha[0].texto != QString::fromStdString(usuario(1)))
            continue;
        achado = true;
        EXPECT_EQ(linha[0].tipo, test::CelulaLida::Tipo::Texto);
        EXPECT_DOUBLE_EQ(linha.at(3).numero, 20.25);
        EXPECT_DOUBLE_EQ(linha.at(5).numero, -20.25);
        EXPECT_EQ(linha.at(5).formato, QStringLiteral("#,##0.00"));
        EXPECT_EQ(linha.at(6).texto, QStringLiteral("Alterado"));
    }
    EXPECT_TRUE(achado);
}

TEST_F(JanelaHistorico, ComparesTwoBatchesHolderByHolderAndSavesTheComparison)
{
    janela->selecionaLotes({2, 1});
    janela->btncomparar->click();
    ASSERT_TRUE(interacao.shown().isEmpty()) << interacao.shown().join(u'\n').toStdString();
    EXPECT_TRUE(janela->lblcomparacao->text().startsWith("A : PX_00123_0007_2611101530_2.REC"));
    EXPECT_TRUE(janela->lblcomparacao->text().contains("B : PX_00123_0008_2612101530_2.REC"));

    const ModeloComparacao& c = janela->comparacao();
    EXPECT_EQ(c.rowCount(), mes.QtdRecarga);
    EXPECT_EQ(c.quantos(Situacao::Alterado), 1);
    EXPECT_EQ(c.quantos(Situacao::Igual), mes.QtdRecarga - 1);
    EXPECT_EQ(janela->lblsituacoes->text(),
              QStringLiteral("Alterado: 1   Novo: 0   Saiu: 0   Igual: %1   (mostrando %2)")
                  .arg(mes.QtdRecarga - 1)
                  .arg(mes.QtdRecarga));

    // Only the changed holder, with its values in each batch.
    const int alterado = janela->cbsituacao->findText(QStringLiteral("Alterado"));
    ASSERT_GE(alterado, 0);
    janela->cbsituacao->setCurrentIndex(alterado);
    const QAbstractItemModel* v = janela->sgComparacao->model();
    ASSERT_EQ(v->rowCount(), 1);
    QStringList linha;
    for (int col = 0; col < v->columnCount(); ++col)
        linha << v->index(0, col).data().toString();
    EXPECT_EQ(linha.at(ModeloComparacao::ColUsuario), QString::fromStdString(usuario(1)));
    EXPECT_EQ(linha.mid(ModeloComparacao::ColValorA),
              (QStringList{"R$ 20,25", "R$ 0,00", "-R$ 20,25", "Alterado"}));
    // The totals follow what the filter shows.
    const auto* totais = janela->findChild<QTableWidget*>(QStringLiteral("sgTotaisComparacao"));
    ASSERT_NE(totais, nullptr);
    ASSERT_EQ(totais->rowCount(), 1);
    QStringList total;
    for (int col = ModeloComparacao::ColNome; col <= ModeloComparacao::ColDiferenca; ++col)
        total << (totais->item(0, col) ? totais->item(0, col)->text() : QString());
    EXPECT_EQ(total, (QStringList{"Total em R$ (1 titular)", "R$ 20,25", "R$ 0,00", "-R$ 20,25"}));

    // The spreadsheet holds every holder, whatever the filter shows.
    const QString csv = saida.filePath(QStringLiteral("comparacao"));
    interacao.expectSaveFile(csv);
    janela->btnexportarcomparacao->click();
    ASSERT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    const QByteArray bytes = test::le(csv + QStringLiteral(".csv"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList linhas = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    ASSERT_EQ(linhas.size(), mes.QtdRecarga + 2);  // header, rows, the empty rest after the last CR LF
    EXPECT_EQ(linhas.first(), QStringLiteral("Usuário;Tipo;Nome;Valor A;Valor B;Diferença;Situação"));
    const auto achada = std::find_if(linhas.begin(), linhas.end(), [this](const QString& l) {
        return l.startsWith(QString::fromStdString(usuario(1)) + u';');
    });
    ASSERT_NE(achada, linhas.end());
    EXPECT_TRUE(achada->endsWith(QStringLiteral(";20,25;0,00;-20,25;Alterado"))) << achada->toStdString();
    EXPECT_TRUE(linhas.last().isEmpty());
}

// Read at a glance: every value says its unit, each unit has its total row
// under its columns, a name cut at its end shows whole as a tip, and the
// comparison takes the window's height rather than the short list of batches.
TEST_F(JanelaHistorico, TheComparisonSaysItsUnitsTotalsAndTakesTheHeight)
{
    QMdiSubWindow* sub = principal->mdiArea->currentSubWindow();
    ASSERT_NE(sub, nullptr);
    sub->showNormal();
    sub->resize(900, 700);
    janela->selecionaLotes({2, 1});
    janela->btncomparar->click();
    QCoreApplication::processEvents();

    const QAbstractItemModel* v = janela->sgComparacao->model();
    long long centavosA = 0;
    long long creditosB = 0;
    for (int r = 0; r < v->rowCount(); ++r) {
        const bool creditos = v->index(r, ModeloComparacao::ColValorA).data().toString().endsWith(" créditos");
        for (const int col : {ModeloComparacao::ColValorA, ModeloComparacao::ColValorB, ModeloComparacao::ColDiferenca}) {
            const QString t = v->index(r, col).data().toString();
            EXPECT_TRUE(creditos ? t.endsWith(QStringLiteral(" créditos")) : t.contains(QStringLiteral("R$ ")))
                << t.toStdString();
        }
        const QString nome = v->index(r, ModeloComparacao::ColNome).data().toString();
        EXPECT_EQ(v->index(r, ModeloComparacao::ColNome).data(Qt::ToolTipRole).toString(), nome);
        const QModelIndex fonte = janela->comparacaoMostrada()->mapToSource(v->index(r, 0));
        const LinhaComparacao& l = janela->comparacao().linhas()[std::size_t(fonte.row())];
        if (l.creditos)
            creditosB += std::llround(l.valorB.value_or(0));
        else
            centavosA += std::llround(l.valorA.value_or(0) * 100);
    }
    EXPECT_EQ(janela->sgComparacao->textElideMode(), Qt::ElideRight);

    const auto* totais = janela->findChild<QTableWidget*>(QStringLiteral("sgTotaisComparacao"));
    ASSERT_NE(totais, nullptr);
    ASSERT_EQ(totais->rowCount(), 2);  // the demonstration holds money and credit cards
    EXPECT_TRUE(totais->item(0, ModeloComparacao::ColNome)->text().startsWith("Total em R$ ("));
    EXPECT_EQ(totais->item(0, ModeloComparacao::ColValorA)->text(), textoComUnidade(double(centavosA) / 100, false));
    EXPECT_TRUE(totais->item(1, ModeloComparacao::ColNome)->text().startsWith(QStringLiteral("Total em créditos (")));
    EXPECT_EQ(totais->item(1, ModeloComparacao::ColValorB)->text(), textoComUnidade(double(creditosB), true));
    // The totals stand under the columns they total, each shown whole.
    const QFontMetrics medida(totais->font());
    for (int c = 0; c < ModeloComparacao::kColunas; ++c) {
        EXPECT_EQ(totais->columnWidth(c), janela->sgComparacao->horizontalHeader()->sectionSize(c)) << c;
        for (int r = 0; r < totais->rowCount(); ++r)
            if (c != ModeloComparacao::ColNome && totais->item(r, c))
                EXPECT_GT(totais->columnWidth(c), medida.horizontalAdvance(totais->item(r, c)->text())) << r << ',' << c;
    }

    EXPECT_GT(janela->sgComparacao->height() + totais->height(), janela->height() / 2)
        << janela->sgComparacao->height() << " of " << janela->height();
    EXPECT_GT(janela->sgComparacao->height(), janela->sgLotes->height());
}

// The chooser's name is the file written, a trailing blank included.
TEST_F(JanelaHistorico, TheComparisonGoesToTheChosenNameEvenEndingInABlank)
{
    janela->selecionaLotes({2, 1});
    janela->btncomparar->click();
    const QString escolhido = saida.filePath(QStringLiteral("comparacao "));
    interacao.expectSaveFile(escolhido);
    janela->btnexportarcomparacao->click();
    ASSERT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    EXPECT_TRUE(test::le(escolhido + QStringLiteral(".csv")).startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(QFile::exists(saida.filePath(QStringLiteral("comparacao.csv"))));
}

TEST_F(JanelaHistorico, SaysWhatToSelectAndWhyADamagedBatchCannotBeUsed)
{
    janela->selecionaLotes({1});
    interacao.expectNotice(QStringLiteral("Selecione dois lotes para comparar (Ctrl+clique no segundo)."));
    janela->btncomparar->click();
    EXPECT_FALSE(janela->btnexportarcomparacao->isEnabled());

    janela->selecionaLotes({0});
    interacao.expectNotice(QStringLiteral("O lote %1 não pode ser lido: não pôde ser descompactado.")
                               .arg(kDanificado));
    janela->btnimprimir->click();

    janela->selecionaLotes({0, 2});
    interacao.expectNotice(QStringLiteral("O lote %1 não pode ser lido: não pôde ser descompactado.")
                               .arg(kDanificado));
    janela->btncomparar->click();

    janela->selecionaLotes({});
    interacao.expectNotice(QStringLiteral("Selecione um lote."));
    janela->btnexportar->click();
    EXPECT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
}

TEST_F(JanelaHistorico, AtualizarListsABatchKeptMeanwhile)
{
    const QString nove = QStringLiteral("PX_00123_0010_2701101530_2.HIS");
    guarda(nove);
    janela->btnatualizar->click();
    ASSERT_EQ(janela->sgLotes->rowCount(), 4);
    EXPECT_EQ(celula(0, Tfhistorico::ColRemessa), "0010");
    EXPECT_EQ(celula(0, Tfhistorico::ColArquivo), "PX_00123_0010_2701101530_2.REC");
}

}  // namespace
}  // namespace pluvexa::test
