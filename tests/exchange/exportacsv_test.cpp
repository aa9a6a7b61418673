// The holders as a spreadsheet: the exact bytes of a small file, and the
// round trip an operator makes (export, edit values, import, answer file).

#include "central/dadosdemo.h"
#include "exchange/exportacsv.h"
#include "exchange/recargaexterna.h"
#include "files/arquivoseguro.h"
#include "recharge/escritorrecarga.h"
#include "recharge/processamento.h"
#include "support/titulares.h"
#include "planilhadevolta.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace pluvexa {
namespace {

using namespace test;

TEST(ExportaPlanilha, WritesOneRowPerHolderInUtf8WithBomAndDecimalComma)
{
    ModeloRecarga m;
    m.wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
    m.wTipoCartao[2] = {2, "CREDITOS", Creditos, 50, 250};
    m.wRecarga[0] = titular(1001, 300000001, "JOS\xC9 DA SILVA", "M001", 1, {{3, 120, 12.5, 150.3, 140, 130}});
    // Only group 1 goes out.
    m.wRecarga[1] = titular(1002, 300000002, "ANA \"BIA\"; ROCHA", "", 2, {{1, 40, 30, 25}, {2, 20, 7}});
    m.wRecarga[2].Usuario = 9;  // beyond the holders of the file
    m.QtdRecarga = 2;
    EXPECT_EQ(geraPlanilha(m),
              "\xEF\xBB\xBFUsu\xC3\xA1rio;Cart\xC3\xA3o;Matr\xC3\xAD" "cula;Nome;Tipo;Tarifa;Valor;Vlr.\xC3\x9Altima Rec\r\n"
              "1001;300000001;M001;JOS\xC3\x89 DA SILVA;1;3;12,50;150,30\r\n"
              "1002;300000002;;\"ANA \"\"BIA\"\"; ROCHA\";2;1;30;25\r\n");

    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("titulares.csv"));
    ASSERT_TRUE(exportaPlanilha(m, destino));
    EXPECT_EQ(leTexto(destino), geraPlanilha(m));
}

TEST(ExportaPlanilha, AFailedWriteIsSaidAndLeavesNoFile)
{
    ModeloRecarga m;
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("titulares.csv"));
    QString erro;
    {
        FalhasArquivo falhas(1);
        EXPECT_FALSE(exportaPlanilha(m, destino, &erro));
    }
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_FALSE(QFile::exists(destino));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A row's fields, split at ';' (the demonstration names hold no ';').
std::vector<std::string> campos(const std::string& linha)
{
    std::vector<std::string> c;
    std::size_t inicio = 0;
    for (std::size_t fim; (fim = linha.find(';', inicio)) != std::string::npos; inicio = fim + 1)
        c.push_back(linha.substr(inicio, fim - inicio));
    c.push_back(linha.substr(inicio));
    return c;
}

TEST(ExportaPlanilha, EditedValuesComeBackIntoTheModelAndTheAnswerFile)
{
    ModeloRecarga m;
    geraModeloDemo(m, DemoOptions{}, QDateTime(QDate(2026, 3, 9), QTime(9, 30)));
    for (int i = 0; i < m.QtdRecarga; ++i)
        m.wRecarga[std::size_t(i)].Grupo[0].Valor = m.wRecarga[std::size_t(i)].TipoCartao == 1 ? 10.5 : 20;
    // A tenth of the demonstration's holders have no registration: their
    // rows are matched by the user code, so every holder comes back.
    ASSERT_GT(semMatricula(m), 0);

    // The operator edits every fifth holder's value in a text editor.
    std::string editada;
    std::map<int, double> novos;
    {
        const std::string exportada = geraPlanilha(m);
        std::size_t pos = exportada.find("\r\n") + 2;
        editada = exportada.substr(0, pos);
        for (int i = 0; pos < exportada.size(); ++i) {
            const std::size_t fim = exportada.find("\r\n", pos);
            std::vector<std::string> c = campos(exportada.substr(pos, fim - pos));
            pos = fim + 2;
            if (i % 5 == 0 || m.wRecarga[std::size_t(i)].Matricula.empty()) {
                const bool dinheiro = m.wRecarga[std::size_t(i)].TipoCartao == 1;
                c[6] = dinheiro ? std::to_string(i % 90) + ",75" : std::to_string(i % 90);
                novos[i] = dinheiro ? i % 90 + 0.75 : i % 90;
            }
            std::string linha;
            for (const std::string& f : c)
                linha += (linha.empty() ? "" : ";") + f;
            editada += linha + "\r\n";
        }
    }
    ASSERT_GT(novos.size(), 20u);

    const PlanilhaDeVolta volta(m, editada);
    const ModeloRecarga& importado = volta.importado;
    const RecargaExterna& run = *volta.run;
    EXPECT_EQ(run.TotalErros, 0) << run.linhasResultado().join(u'\n').toStdString();
    EXPECT_EQ(run.TotalOk, m.QtdRecarga);

    // The answer file written from the model, read back, carries the values.
    const ResultadoEscrita escrita = EscritorRecarga(importado).gera(
        "PX_00123_0007_2603090930_2.REC", [] { return QDateTime(QDate(2026, 3, 9), QTime(10, 0)); });
    ASSERT_TRUE(escrita.ok());
    ModeloRecarga lido;
    QStringList log;
    ASSERT_TRUE(ProcessadorRecarga(lido).processa(escrita.linhas, log).consistente()) << log.join('\n').toStdString();
    ASSERT_EQ(lido.QtdRecarga, m.QtdRecarga);
    for (int i = 0; i < m.QtdRecarga; ++i) {
        const double esperado = novos.count(i) ? novos[i] : m.wRecarga[std::size_t(i)].Grupo[0].Valor;
        EXPECT_DOUBLE_EQ(importado.wRecarga[std::size_t(i)].Grupo[0].Valor, esperado) << i;
        EXPECT_DOUBLE_EQ(lido.wRecarga[std::size_t(i)].Grupo[0].Valor, esperado) << i;
    }
}

}  // namespace
}  // namespace pluvexa
